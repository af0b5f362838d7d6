// The yardstick for start-up and memory: the least a Win32 program must do to show one
// window of the language chooser's size and frame (client 264 x 57, single border, title
// bar with the window menu) and wait for input with a plain message loop. Statically
// linked like install.exe, so both carry the same C++ runtime cost.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BenchBaseline";
    if (!RegisterClassA(&windowClass)) return 1;
    // The chooser's frame: caption, single border, window menu, no size or minimize box.
    DWORD style = WS_CAPTION | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
    RECT frame{0, 0, 264, 57};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExA(0, "BenchBaseline", "Bench Baseline", style, 362, 157, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
