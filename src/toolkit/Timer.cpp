#include "Timer.h"

#include "ErrorGuard.h"
#include "Errors.h"
#include "LoadContext.h"

namespace toolkit {

namespace {
const char* const TimerWindowClass = "ToolkitTimer";
}

TTimer::~TTimer() {
    Stop();
    if (window_) DestroyWindow(window_);
}

void TTimer::SetProperty(const layout::Property& p, LoadContext& context) {
    if (p.name == "Interval")
        interval_ = static_cast<unsigned>(IntValue(p));
    else if (p.name == "Enabled")
        enabled_ = BoolValue(p);
    else if (p.name == "OnTimer")
        OnTimer = context.Handler(p);
    else
        TComponent::SetProperty(p, context);
}

void TTimer::Loaded() {
    if (enabled_) Start();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    enabled ? Start() : Stop();
}

void TTimer::Start() {
    if (running_ || interval_ == 0 || !OnTimer) return;
    if (!window_) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = TimerWindowClass;
            RegisterClassA(&windowClass);
            registered = true;
        }
        // A message-only window: the timer's messages arrive through the one message loop.
        window_ = CreateWindowExA(0, TimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!window_ || !SetTimer(window_, 1, interval_, nullptr)) {
        enabled_ = false;
        throw EOutOfResources("Not enough timers available");
    }
    running_ = true;
}

void TTimer::Stop() {
    if (running_ && window_) KillTimer(window_, 1);
    running_ = false;
}

LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (timer && timer->OnTimer) Guarded([&] { timer->OnTimer(timer); });
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace toolkit
