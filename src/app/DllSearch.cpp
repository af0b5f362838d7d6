#include "DllSearch.h"

#include <windows.h>

#include <string>

namespace {

// Loaded on demand by system DLLs (the common controls load the theme library), and by
// some system loaders searched for beside the program first. Once loaded from the system
// folder, any later request by name finds them in the process.
const char* const OnDemandSystemDlls[] = {"uxtheme.dll"};

}  // namespace

void RestrictDllSearchToSystemFolder() {
    // Looked up at run time: systems without the search-path update lack the function, and
    // there removing the current folder from the search is the best that can be done.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
    SetDllDirectoryA("");

    char system[MAX_PATH];
    UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 16) return;
    for (const char* name : OnDemandSystemDlls) {
        std::string path = std::string(system, length) + "\\" + name;
        LoadLibraryA(path.c_str());
    }
}
