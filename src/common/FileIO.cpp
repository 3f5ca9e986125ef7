#include "common/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace vanta {

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
        default:
            return std::strerror(errorNumber);
    }
}

Result<std::vector<uint8_t>> readWholeFile(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        return Result<std::vector<uint8_t>>::failure("Cannot open \"" + path +
                                                     "\": " + systemReason(errno) + ".");
    }
    std::vector<uint8_t> data;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        data.insert(data.end(), buffer, buffer + n);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed) {
        return Result<std::vector<uint8_t>>::failure("Cannot read \"" + path +
                                                     "\": " + systemReason(error) + ".");
    }
    return data;
}

Status writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return Status::failure("Cannot save \"" + path + "\": " + systemReason(errno) + ".");
    }
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Status::failure("Cannot save \"" + path + "\": " + systemReason(error) +
                               ". The previous file is unchanged.");
    };
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0)
        return fail(errno);
    // Keep the permissions of the file being replaced; new files get the usual 0644 less umask.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Status::failure("Cannot save \"" + path + "\": " + systemReason(error) +
                               ". The previous file is unchanged.");
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Status::failure("Cannot save \"" + path + "\": " + systemReason(error) +
                               ". The previous file is unchanged.");
    }
    return Status::success();
}

}  // namespace vanta
