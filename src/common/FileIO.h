#pragma once
// Whole-file reads with a size limit, and saves made the way editors make them.
//
// Every reader of user input names the largest file of its kind, so a huge file, a device or
// an endless pipe is refused before it fills the memory. A save writes a temporary file beside
// the target, flushes it and renames it over the target, so a failed save never damages the
// previous file; the temporary file has no name while it is written where the system allows it,
// and is removed on every failure path otherwise.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vanta {

// Why a bounded read failed.
enum class ReadFailure : uint8_t {
    CannotOpen,  // missing, not permitted, a folder
    CannotRead,  // an error while reading
    Refused,     // larger than the limit, a device, or not enough memory to hold it
};

// Reads the whole file at path, refusing more than maxBytes bytes. `what` names the kind of file
// in the messages ("project file"). A regular file is measured before anything is read; a pipe
// is read until it ends or passes the limit; a device is never read. When `failure` is given it
// receives the reason of a failure.
Result<std::vector<uint8_t>> readFileLimited(const std::string& path, uint64_t maxBytes,
                                             const std::string& what,
                                             ReadFailure* failure = nullptr);

// A bounded read for files the program reads for itself (tests, tools, data it made).
inline constexpr uint64_t kDefaultReadLimit = uint64_t{1} << 30;
Result<std::vector<uint8_t>> readWholeFile(const std::string& path);

// Writes bytes to path the way an editor saves:
// - a symbolic link is followed and the file it points to is written; the link stays;
// - a file that may not be written (read-only) is refused with a message;
// - the new file keeps the mode and, where the process may set it, the owner and group of the
//   file it replaces; a new file gets 0666 less the umask;
// - the bytes go to a temporary file in the target's folder, created exclusively, flushed and
//   renamed over the target; the temporary file is removed on every failure path;
// - a device or a pipe named as the target is written directly.
Status writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// True when path names an existing file (through links) that this process may not write.
bool isReadOnlyFile(const std::string& path);

// The file a path finally names after following symbolic links (the path itself when it is not
// a link). A link that points nowhere gives the path it points to.
std::string resolveLinks(const std::string& path);

// The reason of the last failed system call in plain words.
std::string systemReason(int errorNumber);

}  // namespace vanta
