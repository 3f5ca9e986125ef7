#include "common/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <random>

namespace vanta {

namespace {

constexpr int kMaxLinkDepth = 40;
constexpr size_t kReadChunk = 65536;
constexpr int kNameAttempts = 100;

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result (a delayed write error shows here).
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string folderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string baseNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

bool isDevice(const struct stat& st) {
    return S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode);
}

// Writes every byte, retrying after interruptions; 0 or the errno of the failure.
int writeAll(int fd, std::span<const uint8_t> bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<size_t>(n);
    }
    return 0;
}

// The reason a file may not be written, or empty when it may.
std::string readOnlyReason(const std::string& path, const struct stat& st) {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno == EROFS)
            return systemReason(EROFS);
        if (errno == EACCES || errno == EPERM)
            return "the file is read-only";
        return {};
    }
    // The superuser may write anything; a file nobody may write is still read-only to an editor.
    if (::geteuid() == 0 && (st.st_mode & 0222) == 0)
        return "the file is read-only";
    return {};
}

std::string randomSuffix() {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof letters - 2);
    std::string suffix(6, 'x');
    for (char& c : suffix)
        c = letters[pick(generator)];
    return suffix;
}

// The temporary file of one save, in the target's folder. Where the system offers unnamed files
// it has no name until it is complete, so a process killed while writing leaves nothing behind;
// otherwise it is made by mkstemp. A named one is removed unless it was renamed.
class TemporaryFile {
  public:
    TemporaryFile(std::string folder, std::string baseName)
        : folder_(std::move(folder)), baseName_(std::move(baseName)) {}
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.empty() && !renamed_)
            ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // 0 or the errno of the failure.
    int create() {
#ifdef O_TMPFILE
        if (::access("/proc/self/fd", X_OK) == 0) {
            fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (fd_ >= 0)
                return 0;
        }
#endif
        std::string pattern = folder_ + "/." + baseName_ + ".XXXXXX";
        fd_ = ::mkstemp(pattern.data());
        if (fd_ < 0)
            return errno;
        name_ = std::move(pattern);
        return 0;
    }

    int fd() const {
        return fd_;
    }

    // Closes the descriptor; 0 or the errno of the failure.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

    // Gives an unnamed file a fresh name beside the target (a name that already exists is never
    // taken over). Must be called before close().
    int name() {
        if (!name_.empty())
            return 0;
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string candidate = folder_ + "/." + baseName_ + "." + randomSuffix();
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) ==
                0) {
                name_ = std::move(candidate);
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    // 0 or the errno of the failure.
    int renameTo(const std::string& target) {
        if (::rename(name_.c_str(), target.c_str()) != 0)
            return errno;
        renamed_ = true;
        return 0;
    }

  private:
    std::string folder_;
    std::string baseName_;
    std::string name_;
    int fd_ = -1;
    bool renamed_ = false;
};

Status cannotSave(const std::string& path, const std::string& reason, bool previousKept) {
    return Status::failure("Cannot save " + quoted(path) + ": " + reason + "." +
                           (previousKept ? " The previous file is unchanged." : ""));
}

// Owner and group first (changing them may clear the set-id bits), then the mode.
void keepOwnerAndMode(int fd, const struct stat* existing) {
    if (existing == nullptr) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return;
    }
    if (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid()) {
        // Only the superuser may give a file away; anyone may pass it to a group of their own.
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), existing->st_gid);
    }
    ::fchmod(fd, existing->st_mode & 07777);
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

// A device or a pipe named as the target: there is nothing to replace, the bytes go to it.
Status writeInto(const std::string& path, const std::string& target,
                 std::span<const uint8_t> bytes) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0)
        return cannotSave(path, systemReason(errno), false);
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0)
        (void)::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    if (const int error = writeAll(fd.get(), bytes); error != 0)
        return cannotSave(path, systemReason(error), false);
    if (fd.close() != 0)
        return cannotSave(path, systemReason(errno), false);
    return Status::success();
}

}  // namespace

std::string systemReason(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return "the file or folder does not exist";
        case EACCES:
        case EPERM:
            return "permission denied";
        case ENOSPC:
            return "the disk is full";
        case EROFS:
            return "the file system is read-only";
        case EISDIR:
            return "it is a folder";
        case ELOOP:
            return "too many symbolic links";
        default:
            return std::strerror(errorNumber);
    }
}

Result<std::vector<uint8_t>> readFileLimited(const std::string& path, uint64_t maxBytes,
                                             const std::string& what, ReadFailure* failure) {
    using Bytes = std::vector<uint8_t>;
    auto fail = [&](ReadFailure kind, const std::string& reason) {
        if (failure != nullptr)
            *failure = kind;
        return Result<Bytes>::failure("Cannot open " + quoted(path) + ": " + reason + ".");
    };
    const std::string limit = "the " + std::to_string(maxBytes) + " bytes of the largest " + what;
    // Not blocking: opening a pipe nobody writes to must not wait forever.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0)
        return fail(ReadFailure::CannotOpen, systemReason(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return fail(ReadFailure::CannotRead, systemReason(errno));
    if (S_ISDIR(st.st_mode))
        return fail(ReadFailure::CannotOpen, systemReason(EISDIR));
    if (isDevice(st))
        return fail(ReadFailure::Refused, "it is a device, not a file");
    const bool regular = S_ISREG(st.st_mode);
    if (regular && static_cast<uint64_t>(st.st_size) > maxBytes)
        return fail(ReadFailure::Refused,
                    "it holds " + std::to_string(st.st_size) + " bytes, more than " + limit);
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0)
        (void)::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);

    Bytes data;
    try {
        if (regular)
            data.reserve(static_cast<size_t>(st.st_size));
        uint8_t buffer[kReadChunk];
        for (;;) {
            const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return fail(ReadFailure::CannotRead, systemReason(errno));
            }
            if (n == 0)
                break;
            if (static_cast<uint64_t>(n) > maxBytes - data.size())
                return fail(ReadFailure::Refused, "it holds more than " + limit);
            data.insert(data.end(), buffer, buffer + n);
        }
    } catch (const std::bad_alloc&) {
        return fail(ReadFailure::Refused, "there is not enough memory to read it");
    }
    return data;
}

Result<std::vector<uint8_t>> readWholeFile(const std::string& path) {
    return readFileLimited(path, kDefaultReadLimit, "file this program reads");
}

std::string resolveLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0)
            return current;
        target.resize(static_cast<size_t>(n));
        if (target.front() != '/') {
            const std::filesystem::path folder = std::filesystem::path(current).parent_path();
            if (!folder.empty())
                target = (folder / target).string();
        }
        current = std::move(target);
    }
    return current;
}

bool isReadOnlyFile(const std::string& path) {
    const std::string target = resolveLinks(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return !readOnlyReason(target, st).empty();
}

Status writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    const std::string target = resolveLinks(path);
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISLNK(existing.st_mode))
            return cannotSave(path, systemReason(ELOOP), true);
        if (S_ISDIR(existing.st_mode))
            return cannotSave(path, systemReason(EISDIR), true);
        if (const std::string reason = readOnlyReason(target, existing); !reason.empty())
            return cannotSave(path, reason, true);
        if (!S_ISREG(existing.st_mode))
            return writeInto(path, target, bytes);
    }
    const std::string folder = folderOf(target);
    TemporaryFile temp(folder, baseNameOf(target));
    if (const int error = temp.create(); error != 0)
        return cannotSave(path, systemReason(error), exists);
    if (const int error = writeAll(temp.fd(), bytes); error != 0)
        return cannotSave(path, systemReason(error), exists);
    if (::fsync(temp.fd()) != 0)
        return cannotSave(path, systemReason(errno), exists);
    keepOwnerAndMode(temp.fd(), exists ? &existing : nullptr);
    if (const int error = temp.name(); error != 0)
        return cannotSave(path, systemReason(error), exists);
    if (const int error = temp.close(); error != 0)
        return cannotSave(path, systemReason(error), exists);
    if (const int error = temp.renameTo(target); error != 0)
        return cannotSave(path, systemReason(error), exists);
    syncFolder(folder);
    return Status::success();
}

}  // namespace vanta
