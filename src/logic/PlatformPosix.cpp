// POSIX side of the platform seam: the same contract on a system without short names,
// sharing modes or code pages, so the logic's tests run natively.
#include "Platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

File::File(const std::string& name, Mode mode) {
    int fd = mode == Mode::ReadSharedForReading ? open(name.c_str(), O_RDONLY)
                                               : open(name.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0666);
    // A folder opens read-only on POSIX; Windows refuses it, and so do we.
    struct stat info;
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        fd = -1;
        errno = EISDIR;
    }
    handle_ = fd;
    if (fd < 0) openError_ = static_cast<ErrorCode>(errno);
}

File::~File() {
    if (IsOpen()) close(static_cast<int>(handle_));
}

bool File::IsOpen() const { return handle_ >= 0; }

std::int64_t File::Size() const {
    struct stat info;
    if (fstat(static_cast<int>(handle_), &info) != 0) return -1;
    return info.st_size;
}

std::size_t File::Read(char* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        ssize_t got = read(static_cast<int>(handle_), buffer + done, count - done);
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t File::Write(const char* data, std::size_t count) {
    ssize_t done = write(static_cast<int>(handle_), data, count);
    return done < 0 ? 0 : static_cast<std::size_t>(done);
}

std::string FullPath(const std::string& name) {
    if (!name.empty() && name[0] == '/') return name;
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer)) return name;
    std::string folder(buffer);
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// A volume without short names: the path stands for itself, as long as it exists.
std::string ShortPath(const std::string& longPath) {
    struct stat info;
    if (longPath.empty() || stat(longPath.c_str(), &info) != 0) return {};
    return longPath;
}

std::string SystemMessage(ErrorCode code) { return std::strerror(static_cast<int>(code)); }

bool IsLeadByte(unsigned char) { return false; }

bool ToConsoleCodePage(const std::string& ansi, std::string& oem) {
    oem = ansi;
    return true;
}

}  // namespace platform
