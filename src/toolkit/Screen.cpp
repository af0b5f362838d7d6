#include "Screen.h"

#include <windows.h>

namespace toolkit {

int ScreenPixelsPerInch() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : LayoutPixelsPerInch;
    }();
    return dpi;
}

std::string Utf8ToAnsi(const std::string& utf8) {
    if (utf8.empty()) return {};
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(wideLength, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(length, '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), wideLength, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

}  // namespace toolkit
