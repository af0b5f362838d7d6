#include "CommonControls.h"

#include <stdexcept>

namespace toolkit::comctl {

namespace {

struct Library {
    decltype(&::InitCommonControlsEx) initialize;
    decltype(&::SetWindowSubclass) subclass;
    decltype(&::RemoveWindowSubclass) removeSubclass;
    decltype(&::DefSubclassProc) defaultSubclassProc;
};

template <class Function>
void Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!function) throw std::runtime_error(std::string("The common controls lack ") + name);
}

const Library& Loaded() {
    static const Library library = [] {
        // The manifest's activation context makes this the system's version 6.
        HMODULE module = LoadLibraryA("comctl32.dll");
        if (!module) throw std::runtime_error("The common controls cannot be loaded");
        Library functions{};
        Resolve(module, "InitCommonControlsEx", functions.initialize);
        Resolve(module, "SetWindowSubclass", functions.subclass);
        Resolve(module, "RemoveWindowSubclass", functions.removeSubclass);
        Resolve(module, "DefSubclassProc", functions.defaultSubclassProc);
        return functions;
    }();
    return library;
}

}  // namespace

void Initialize() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return Loaded().initialize(&controls) != FALSE;
    }();
    (void)done;
}

BOOL AddSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    return Loaded().subclass(window, procedure, id, data);
}

BOOL RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    return Loaded().removeSubclass(window, procedure, id);
}

LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Loaded().defaultSubclassProc(window, message, wParam, lParam);
}

}  // namespace toolkit::comctl
