// The show state the process is started with is honoured for the first window: started
// minimized, only the taskbar button is there, and the chooser comes up when restored.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

// A Unix path of the build, as Wine's drive Z: shows it.
std::string WindowsPath(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

// The top-level window of that class and caption that belongs to the process.
HWND WindowOf(DWORD processId, const char* className, const char* caption) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, caption); window;
         window = FindWindowExA(nullptr, window, className, caption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 5000) {
    DWORD end = GetTickCount() + milliseconds;
    while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) Sleep(20);
    return done();
}

}  // namespace

TEST(StartupStateTest, StartedMinimizedTheChooserComesUpWhenRestored) {
    std::random_device random;
    fs::path product = fs::temp_directory_path() / ("startup-test-" + std::to_string(random()));
    fs::create_directories(product);
    fs::copy(WindowsPath(DEMO_FOLDER), product, fs::copy_options::recursive);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + WindowsPath(INSTALL_EXE) + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               product.string().c_str(), &startup, &process));
    WaitForInputIdle(process.hProcess, 10000);

    HWND application = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (application = WindowOf(process.dwProcessId, "ToolkitApplication", "install")); }));
    EXPECT_TRUE(WaitFor([&] { return IsIconic(application) != 0; }));
    HWND chooser = WindowOf(process.dwProcessId, "ToolkitForm", "Install Idiom");
    ASSERT_NE(chooser, nullptr);
    EXPECT_FALSE(IsWindowVisible(chooser));

    PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(chooser) != 0; }));
    EXPECT_FALSE(IsIconic(application));

    // The chooser's close ends the program normally.
    PostMessageA(chooser, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    if (exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::error_code ignored;
    fs::remove_all(product, ignored);
}
