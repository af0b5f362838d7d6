// What the installer costs while nobody touches it: the real application object and both
// windows, made as the program's entry makes them, with the loop running; a second
// thread watches from outside the loop.
//
//   bench_idle <seconds> <product folder> [<file with the process's Linux id>]
//
// The chooser is left alone for <seconds>, then "English" is clicked and the main window
// is left alone for <seconds>. For each, the process's CPU time and the number of idle
// steps the loop ran are read before and after. An idle step follows every message the
// loop handles, so with no input a loop that sleeps properly runs none.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "Application.h"
#include "CommonControls.h"
#include "DllSearch.h"
#include "Main.h"
#include "StandardControls.h"
#include "Stats.h"
#include "Unit2.h"

namespace {

toolkit::TApplication* g_application = nullptr;
int g_seconds = 10;

double FileTimeMs(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10000.0;
}

double ProcessCpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    return FileTimeMs(kernel) + FileTimeMs(user);
}

double ThreadCpuMs(HANDLE thread) {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(thread, &created, &ended, &kernel, &user);
    return FileTimeMs(kernel) + FileTimeMs(user);
}

// The system's CPU times above come in scheduler ticks (10 ms here), as coarse as the
// whole budget of a 10 s idle period. Under Wine the kernel's own accounting per thread,
// in nanoseconds, is readable through drive Z: once the process's Linux id is known (the
// bench script writes it to a file, as only the shell that started us knows it; Wine
// opens files in its server, so /proc/self would be the server, not us).
int g_linuxPid = 0;

double SchedulerMs(const std::string& statFile) {
    std::ifstream in(statFile);
    double nanoseconds = -1;
    if (!(in >> nanoseconds)) return -1;
    return nanoseconds / 1e6;
}

std::string LinuxProcFolder() { return "Z:\\proc\\" + std::to_string(g_linuxPid); }

// Takes the Linux id from the file, if it names this program.
void ReadLinuxPid(const char* pidFile) {
    for (int i = 0; i < 200 && GetFileAttributesA(pidFile) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    std::ifstream in(pidFile);
    int pid = 0;
    if (!(in >> pid) || pid <= 0) return;
    g_linuxPid = pid;
    std::ifstream commandLine(LinuxProcFolder() + "\\cmdline", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(commandLine)), std::istreambuf_iterator<char>());
    if (text.find("bench_idle") == std::string::npos) g_linuxPid = 0;
}

// All threads of the process; -1 when the kernel's figures cannot be read.
double PreciseProcessCpuMs() {
    if (!g_linuxPid) return -1;
    std::string tasks = LinuxProcFolder() + "\\task\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((tasks + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    double total = 0;
    bool any = false;
    do {
        if (found.cFileName[0] == '.') continue;
        double ms = SchedulerMs(tasks + found.cFileName + "\\schedstat");
        if (ms >= 0) total += ms, any = true;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return any ? total : -1;
}

struct Sample {
    double wallMs, processMs, preciseMs, loopThreadMs, preciseLoopMs, watcherMs;
    unsigned long idleSteps;
};

Sample Take(HANDLE loopThread) {
    Sample sample{};
    sample.wallMs = bench::NowMs();
    // The watcher's own time is taken out of the system's counters; in the kernel's it
    // stays, a few file reads in 10 s.
    sample.watcherMs = ThreadCpuMs(GetCurrentThread());
    sample.preciseMs = PreciseProcessCpuMs();
    sample.processMs = ProcessCpuMs();
    sample.loopThreadMs = ThreadCpuMs(loopThread);
    // Under Wine the first thread of the Linux process is the one that runs main().
    sample.preciseLoopMs = g_linuxPid ? SchedulerMs(LinuxProcFolder() + "\\task\\" + std::to_string(g_linuxPid) +
                                                    "\\schedstat")
                                      : -1;
    // The count is written only by the loop's thread; reading a word-sized counter from
    // here while it runs gives either the old or the new value, and with an idle loop
    // there is nothing in flight.
    sample.idleSteps = g_application->IdleSteps();
    return sample;
}

struct Figures {
    double cpuPercent;
    double wakeupsPerSecond;
};

Figures Watch(const char* what, HANDLE loopThread) {
    Sample before = Take(loopThread);
    Sleep(static_cast<DWORD>(g_seconds * 1000));
    Sample after = Take(loopThread);
    double seconds = (after.wallMs - before.wallMs) / 1000.0;
    double coarseMs = (after.processMs - before.processMs) - (after.watcherMs - before.watcherMs);
    bool precise = before.preciseMs >= 0 && after.preciseMs >= 0;
    double cpuMs = precise ? after.preciseMs - before.preciseMs : coarseMs;
    double loopMs = precise && before.preciseLoopMs >= 0 ? after.preciseLoopMs - before.preciseLoopMs
                                                         : after.loopThreadMs - before.loopThreadMs;
    unsigned long steps = after.idleSteps - before.idleSteps;
    Figures figures{100.0 * cpuMs / (seconds * 1000.0), steps / seconds};
    std::printf("# idle on the %s for %.1f s: CPU %.3f ms, of which the loop's thread %.3f ms (%s;"
                " the system's 10 ms counters say %.0f ms), %lu idle steps\n",
                what, seconds, cpuMs, loopMs, precise ? "kernel's accounting" : "system counters", coarseMs, steps);
    std::fflush(stdout);
    return figures;
}

bool WaitVisible(HWND window) {
    for (int i = 0; i < 2000 && !IsWindowVisible(window); ++i) Sleep(5);
    return IsWindowVisible(window) != 0;
}

struct WatchTask {
    HANDLE loopThread;
    DWORD loopThreadId;
};

DWORD WINAPI WatchBothWindows(void* parameter) {
    auto* task = static_cast<WatchTask*>(parameter);
    auto fail = [&](const char* what) {
        std::fprintf(stderr, "bench_idle: %s\n", what);
        std::exit(1);
    };
    if (!WaitVisible(Form2->Handle())) fail("the chooser did not come up");
    // Whatever showing the window started (paints, deferred messages) is over by then.
    Sleep(1000);
    Figures chooser = Watch("chooser", task->loopThread);

    auto* english = Form2->Find<toolkit::TButton>("Button1");
    if (!english) fail("no English button");
    PostMessageA(english->Handle(), BM_CLICK, 0, 0);
    if (!WaitVisible(Form1->Handle())) fail("the main window did not come up");
    Sleep(1000);
    Figures main = Watch("main window", task->loopThread);

    std::printf("idle-cpu-percent %.4f\n", std::max(chooser.cpuPercent, main.cpuPercent));
    std::printf("idle-wakeups-per-s %.2f\n", std::max(chooser.wakeupsPerSecond, main.wakeupsPerSecond));
    std::fflush(stdout);
    PostThreadMessageA(task->loopThreadId, WM_QUIT, 0, 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: bench_idle <seconds> <product folder> [<Linux id file>]\n");
        return 2;
    }
    g_seconds = std::atoi(argv[1]);
    if (argc == 4) ReadLinuxPid(argv[3]);
    // The settings are read from the working folder, as when install.exe starts in its own.
    if (!SetCurrentDirectoryA(argv[2])) return 1;
    // The program's own start: DLL search, COM for the shell, the common controls.
    RestrictDllSearchToSystemFolder();
    OleInitialize(nullptr);
    toolkit::comctl::Initialize();
    {
        toolkit::TApplication application;
        g_application = &application;
        application.SetTitle("install");
        application.CreateForm<TForm2>();
        application.CreateForm<TForm1>();

        WatchTask task{};
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &task.loopThread, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        task.loopThreadId = GetCurrentThreadId();
        HANDLE watcher = CreateThread(nullptr, 0, WatchBothWindows, &task, 0, nullptr);
        application.Run();
        WaitForSingleObject(watcher, INFINITE);
        CloseHandle(watcher);
        CloseHandle(task.loopThread);
        g_application = nullptr;
    }
    OleUninitialize();
    return 0;
}
