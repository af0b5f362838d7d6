// A bare window class that hosts one folder tree and forwards the tree's notifications to
// it, as a form does: for the tree's tests and its benchmark, which use the tree alone.
#pragma once

#include <windows.h>

#include "ErrorGuard.h"
#include "ShellFolderTree.h"

namespace folder_tree_host {

// The tree that receives the host's notifications; null while there is none.
inline toolkit::ShellFolderTree*& Tree() {
    static toolkit::ShellFolderTree* tree = nullptr;
    return tree;
}

inline LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    toolkit::ShellFolderTree* tree = Tree();
    if (message == WM_NOTIFY && tree) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        bool handled = false;
        if (header.hwndFrom == tree->Handle()) toolkit::Guarded([&] { handled = tree->HandleNotify(header, result); });
        if (handled) return result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The host's window class, registered on first use.
inline const char* HostClass() {
    static const char* const name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = HostProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = "FolderTreeHost";
        return RegisterClassA(&windowClass) ? "FolderTreeHost" : nullptr;
    }();
    return name;
}

}  // namespace folder_tree_host
