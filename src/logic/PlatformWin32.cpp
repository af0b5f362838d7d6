// Win32 side of the platform seam.
#include "Platform.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {
HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }
}  // namespace

File::File(const std::string& name, Mode mode) {
    HANDLE h = mode == Mode::ReadSharedForReading
        ? CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr)
        : CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    handle_ = reinterpret_cast<std::intptr_t>(h);
    if (h == INVALID_HANDLE_VALUE) openError_ = GetLastError();
}

File::~File() {
    if (IsOpen()) CloseHandle(AsHandle(handle_));
}

bool File::IsOpen() const { return AsHandle(handle_) != INVALID_HANDLE_VALUE; }

std::int64_t File::Size() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(AsHandle(handle_), &size)) return -1;
    return size.QuadPart;
}

std::size_t File::Read(char* buffer, std::size_t count) {
    DWORD done = 0;
    if (!ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
    return done;
}

std::size_t File::Write(const char* data, std::size_t count) {
    DWORD done = 0;
    if (!WriteFile(AsHandle(handle_), data, static_cast<DWORD>(count), &done, nullptr)) return 0;
    return done;
}

std::string FullPath(const std::string& name) {
    char buffer[MAX_PATH];
    char* filePart = nullptr;
    DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, buffer, &filePart);
    if (length > 0 && length < MAX_PATH) return std::string(buffer, length);
    if (length == 0) return name;
    // A working folder deeper than MAX_PATH: ask again with room for the whole answer.
    std::vector<char> big(length);
    length = GetFullPathNameA(name.c_str(), static_cast<DWORD>(big.size()), big.data(), &filePart);
    return length > 0 && length < big.size() ? std::string(big.data(), length) : name;
}

std::string ShortPath(const std::string& longPath) {
    // The answer must fit MAX_PATH; a longer short form is no use to the script.
    char buffer[MAX_PATH];
    DWORD length = GetShortPathNameA(longPath.c_str(), buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(buffer, length);
}

std::string SystemMessage(ErrorCode code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : std::string();
    LocalFree(text);
    return message;
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

bool ToConsoleCodePage(const std::string& ansi, std::string& oem) {
    oem.clear();
    if (ansi.empty()) return true;
    int wideLength = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(),
                                         static_cast<int>(ansi.size()), nullptr, 0);
    if (wideLength == 0) return false;
    std::wstring wide(wideLength, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), wideLength);
    BOOL usedDefault = FALSE;
    int oemLength = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                        nullptr, 0, nullptr, &usedDefault);
    if (oemLength == 0 || usedDefault) return false;
    oem.resize(oemLength);
    WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, oem.data(),
                        oemLength, nullptr, nullptr);
    return true;
}

}  // namespace platform
