#include "StartupError.h"

#include <cxxabi.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

#include "Application.h"

namespace {

std::string ClassName(const std::exception& error) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status),
                                                std::free);
    return status == 0 && name ? name.get() : typeid(error).name();
}

std::string ModuleFileName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path);
    std::size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

}  // namespace

void ShowUnhandledError(const std::exception& error) {
    char address[32];
    wsprintfA(address, "%p", static_cast<const void*>(&error));
    std::string text = "Exception " + ClassName(error) + " in module " + ModuleFileName() + " at " + address +
                       ".\r\n" + toolkit::ErrorBoxText(error.what());
    MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
