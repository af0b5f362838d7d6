// The few operating-system calls the install logic needs, behind one seam so the logic
// builds and is tested both on Windows and natively. PlatformWin32.cpp and PlatformPosix.cpp
// implement it; nothing else in the logic touches the OS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// An error number from the OS: GetLastError() on Windows, errno elsewhere.
using ErrorCode = unsigned long;

// An open file that closes itself.
class File {
public:
    enum class Mode {
        // Existing file, read only; others may read it but not write it meanwhile.
        ReadSharedForReading,
        // Made or emptied, read and write, shared with no other opener.
        CreateExclusive,
    };

    File(const std::string& name, Mode mode);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool IsOpen() const;
    // The OS error of a failed open.
    ErrorCode OpenError() const { return openError_; }
    // Size in bytes, or -1 when it cannot be told.
    std::int64_t Size() const;
    // Reads up to `count` bytes; returns how many arrived.
    std::size_t Read(char* buffer, std::size_t count);
    // Writes `count` bytes in one call; returns how many were written.
    std::size_t Write(const char* data, std::size_t count);

private:
    std::intptr_t handle_;
    ErrorCode openError_ = 0;
};

// `name` resolved against the current folder, without touching the file system.
std::string FullPath(const std::string& name);

// The short (8.3) form of an existing path; empty when the OS cannot give one.
std::string ShortPath(const std::string& longPath);

// The system's message text for an OS error, as the OS words it.
std::string SystemMessage(ErrorCode code);

// True when `byte` starts a two-byte character in the ANSI code page.
bool IsLeadByte(unsigned char byte);

// Converts ANSI text to the console (OEM) code page that the command processor reads
// batch files in. False when some character has no OEM form.
bool ToConsoleCodePage(const std::string& ansi, std::string& oem);

}  // namespace platform
