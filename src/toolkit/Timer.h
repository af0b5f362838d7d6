// A timer component: its event runs on the user-interface thread every Interval ms while
// it is enabled.
#pragma once

#include <windows.h>

#include "Component.h"

namespace toolkit {

class TTimer : public TComponent {
public:
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    // Turning on a running timer changes nothing: its period is not restarted.
    // Raises EOutOfResources when the system has no timer to give.
    void SetEnabled(bool enabled);
    TNotifyEvent OnTimer;

    void SetProperty(const layout::Property& property, LoadContext& context) override;
    void Loaded() override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Start();
    void Stop();

    HWND window_ = nullptr;
    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
};

}  // namespace toolkit
