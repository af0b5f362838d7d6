#include "DllSearch.h"

#include <windows.h>

void RestrictDllSearchToSystemFolder() {
    // Looked up at run time: systems without the search-path update lack the function, and
    // there removing the current folder from the search is the best that can be done.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
    SetDllDirectoryA("");
}
