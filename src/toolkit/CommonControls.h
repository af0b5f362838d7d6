// The common controls library, loaded when first needed rather than imported: a static
// import would be resolved before the program can keep DLLs planted beside it from
// loading, and the library's own dependencies would be searched for there.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace toolkit::comctl {

// Registers the common control classes (once).
void Initialize();
BOOL AddSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace toolkit::comctl
