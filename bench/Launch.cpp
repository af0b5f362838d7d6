// Starts install.exe and the baseline program as separate processes, the way a user's
// double click does, and measures them from outside:
//
//   bench_launch startup <runs> <product folder> <install.exe> <baseline.exe>
//   bench_launch memory  <runs> <product folder> <install.exe> <baseline.exe>
//
// startup: milliseconds from CreateProcess until the first window is visible and the
// process's message loop is waiting for input. memory: the peak working set once the
// installer's main window is up (reached by clicking "English" on the chooser), against
// the baseline's once its window is up. Runs alternate between the two programs so that
// both see the same machine load. Lines starting with "#" are details; the others are
// "name value" figures.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Stats.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;
const char* const kChooserCaption = "Install Idiom";
const char* const kMainCaption = "Demo Synth Install";
const char* const kBaselineCaption = "Bench Baseline";

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "bench_launch: %s (error %lu)\n", what.c_str(), GetLastError());
    std::exit(1);
}

struct WindowSearch {
    DWORD pid;
    const char* caption;
    HWND found;
};

// A named callback with the system's calling convention, which the 32-bit build needs.
BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->pid || !IsWindowVisible(window)) return TRUE;
    char text[256] = "";
    // For another process's window this reads the stored caption without sending a
    // message, so a busy program cannot stall the search.
    GetWindowTextA(window, text, sizeof text);
    if (std::string(text) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

// The visible top-level window of process `pid` with exactly this caption, if any.
HWND VisibleWindowOf(DWORD pid, const char* caption) {
    WindowSearch search{pid, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Child {
    PROCESS_INFORMATION info{};
    bool waitedAgain = false;  // WaitForInputIdle returned before the window was up
};

Child Start(const std::string& exe, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    Child child;
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &child.info))
        Fail("cannot start " + exe);
    return child;
}

// Waits until the process's window with `caption` is visible and its thread is back in
// its message loop with nothing to do. WaitForInputIdle alone is not enough: a program
// may look for messages before its first window exists (COM and the shell do), so the
// window is checked too, and a message sent to it must come back.
HWND WaitUntilUp(Child& child, const char* caption) {
    DWORD pid = child.info.dwProcessId;
    if (WaitForInputIdle(child.info.hProcess, kTimeoutMs) != 0) Fail(std::string("no input idle for ") + caption);
    HWND window = VisibleWindowOf(pid, caption);
    double deadline = bench::NowMs() + kTimeoutMs;
    while (!window) {
        child.waitedAgain = true;
        if (bench::NowMs() > deadline) Fail(std::string("no window ") + caption);
        if (WaitForSingleObject(child.info.hProcess, 1) == WAIT_OBJECT_0) Fail(std::string("ended early: ") + caption);
        window = VisibleWindowOf(pid, caption);
    }
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored))
        Fail(std::string("window does not answer: ") + caption);
    return window;
}

void Stop(Child& child) {
    TerminateProcess(child.info.hProcess, 0);
    WaitForSingleObject(child.info.hProcess, kTimeoutMs);
    CloseHandle(child.info.hThread);
    CloseHandle(child.info.hProcess);
}

double StartupMs(const std::string& exe, const std::string& folder, const char* caption, int& lateWindows) {
    double start = bench::NowMs();
    Child child = Start(exe, folder);
    WaitUntilUp(child, caption);
    double elapsed = bench::NowMs() - start;
    if (child.waitedAgain) ++lateWindows;
    Stop(child);
    return elapsed;
}

double PeakWorkingSetKb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) Fail("no memory counters");
    return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
}

// Lets a window that has just come up finish what its showing started (first paints,
// deferred messages), then makes sure its loop is idle again.
void Settle(HWND window) {
    Sleep(300);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
}

double InstallerPeakKb(const std::string& exe, const std::string& folder) {
    Child child = Start(exe, folder);
    HWND chooser = WaitUntilUp(child, kChooserCaption);
    HWND english = FindWindowExA(chooser, nullptr, "Button", "English");
    if (!english) Fail("no English button on the chooser");
    PostMessageA(english, BM_CLICK, 0, 0);
    HWND main = nullptr;
    double deadline = bench::NowMs() + kTimeoutMs;
    while (!(main = VisibleWindowOf(child.info.dwProcessId, kMainCaption))) {
        if (bench::NowMs() > deadline) Fail("the main window did not come up");
        Sleep(1);
    }
    Settle(main);
    double peak = PeakWorkingSetKb(child.info.hProcess);
    Stop(child);
    return peak;
}

double BaselinePeakKb(const std::string& exe, const std::string& folder) {
    Child child = Start(exe, folder);
    HWND window = WaitUntilUp(child, kBaselineCaption);
    Settle(window);
    double peak = PeakWorkingSetKb(child.info.hProcess);
    Stop(child);
    return peak;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: bench_launch startup|memory <runs> <folder> <install.exe> <baseline.exe>\n");
        return 2;
    }
    std::string mode = argv[1];
    int runs = std::atoi(argv[2]);
    std::string folder = argv[3], installer = argv[4], baseline = argv[5];
    std::vector<double> installerFigures, baselineFigures;

    if (mode == "startup") {
        int lateWindows = 0;
        // One start of each first, not counted: it brings the files and Wine's own
        // libraries into memory, which a user's second start would find there too.
        StartupMs(installer, folder, kChooserCaption, lateWindows);
        StartupMs(baseline, folder, kBaselineCaption, lateWindows);
        lateWindows = 0;
        for (int run = 0; run < runs; ++run) {
            // Alternate which one goes first, so neither always follows the other's exit.
            if (run % 2 == 0) {
                installerFigures.push_back(StartupMs(installer, folder, kChooserCaption, lateWindows));
                baselineFigures.push_back(StartupMs(baseline, folder, kBaselineCaption, lateWindows));
            } else {
                baselineFigures.push_back(StartupMs(baseline, folder, kBaselineCaption, lateWindows));
                installerFigures.push_back(StartupMs(installer, folder, kChooserCaption, lateWindows));
            }
        }
        double installerMs = bench::Median(installerFigures), baselineMs = bench::Median(baselineFigures);
        std::printf("# start-up, median of %d: install.exe %.1f ms, baseline %.1f ms\n", runs, installerMs,
                    baselineMs);
        std::printf("# start-up: input idle came before the window in %d of %d starts\n", lateWindows, 2 * runs);
        std::printf("startup-ratio %.3f\n", installerMs / baselineMs);
    } else if (mode == "memory") {
        for (int run = 0; run < runs; ++run) {
            if (run % 2 == 0) {
                installerFigures.push_back(InstallerPeakKb(installer, folder));
                baselineFigures.push_back(BaselinePeakKb(baseline, folder));
            } else {
                baselineFigures.push_back(BaselinePeakKb(baseline, folder));
                installerFigures.push_back(InstallerPeakKb(installer, folder));
            }
        }
        double installerKb = bench::Median(installerFigures), baselineKb = bench::Median(baselineFigures);
        std::printf("# peak working set, median of %d: install.exe on its main window %.0f KB, baseline %.0f KB"
                    " (difference %.0f KB)\n",
                    runs, installerKb, baselineKb, installerKb - baselineKb);
        std::printf("memory-ratio %.3f\n", installerKb / baselineKb);
    } else {
        std::fprintf(stderr, "bench_launch: unknown mode %s\n", mode.c_str());
        return 2;
    }
    return 0;
}
