#pragma once
// The JSON form of a project: every field the project file stores (header, screens with their
// components, alarm list) under readable names, texts in UTF-8, picture bits as rows of '#'
// and '.'. docs/project-json.md describes every key.
//
// Writing the JSON of a project and building a project file back from it gives the same bytes
// as saving the project: the JSON is read into project objects, which the project's own writer
// then saves. Reading refuses unknown and missing keys, values of the wrong type, numbers
// outside what their field holds and characters the GBK code page cannot hold; every message
// names the JSON path of the value (and its line and column).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/Archive.h"
#include "common/Result.h"

namespace vanta {

class Project;

// Bounds of the JSON form as the dump writes it. A line of the dump holds one member or one
// bracket and takes at most kJsonLineMax characters besides a text: indentation, key, ": ", the
// longest number (-2147483648) and ",\n". A text is written in at most 6 characters a stored
// byte (\u00XX). A text the panel can show is at most 255 bytes long and a dynamic text holds at
// most 255 entries; a screen description is at most 65,535 double-byte characters.
inline constexpr uint64_t kJsonLineMax = 60;
inline constexpr uint64_t kJsonTextMax = 2 + 6 * 255;
inline constexpr uint64_t kJsonDescriptionMax = 2 + 6 * 2 * 65535;

// The longest component: a dynamic text of 255 entries whose texts take 255 bytes each (every
// other kind, a 196 x 64 picture included, is shorter). 32 lines for its brackets and numbers.
inline constexpr uint64_t kJsonComponentMaxBytes =
    32 * kJsonLineMax + 255 * (5 * kJsonLineMax + 2 * kJsonTextMax);

// The longest project: 65,535 screens of 255 components and 65,535 alarm texts, with 40 lines
// for the header, the alarm fields and the brackets. A longer JSON text is refused unread.
inline constexpr uint64_t kJsonScreenMaxBytes =
    8 * kJsonLineMax + kJsonDescriptionMax + 255 * kJsonComponentMaxBytes;
inline constexpr uint64_t kProjectJsonMaxBytes =
    40 * kJsonLineMax + 65535 * kJsonScreenMaxBytes + 65535 * (kJsonLineMax + kJsonTextMax);

// Success when a JSON text of that many bytes may hold a project; otherwise the message names
// the size and the limit.
Status checkProjectJsonSize(uint64_t bytes);

// The project as JSON text (two-space indentation, final newline).
std::string projectToJson(const Project& project);

// Reads the JSON form into `project`. The JSON is first built into a project of its own and
// saved; only when that succeeds is `project` loaded from the result, so a failure leaves
// `project` unchanged.
Status projectFromJson(std::string_view json, Project& project);

// The project file (version 12) that the JSON form describes. A text longer than
// kProjectJsonMaxBytes is refused unread; running out of memory is a failure, not an exception.
// Time and memory grow in proportion to the text.
Result<Bytes> projectFileFromJson(std::string_view json);
// The JSON form of a project file; fails with the reader's message when the file cannot be read.
Result<std::string> projectFileToJson(std::span<const uint8_t> file);

}  // namespace vanta
