#include "Application.h"

#include <algorithm>

#include "ErrorGuard.h"
#include "Errors.h"
#include "Form.h"

namespace toolkit {

TApplication* Application = nullptr;

namespace {

const char* const ApplicationWindowClass = "ToolkitApplication";

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR || message == WM_SYSCHAR;
}

// Collects the visible and enabled top-level windows of the thread.
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

TApplication::TApplication() : presenter_(std::make_unique<MessagePresenter>()) {
    Application = this;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ApplicationWindowClass;
    RegisterClassA(&windowClass);
    largeIcon_ = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    // Zero size and no owner: it is never seen, but it is what the taskbar shows.
    window_ = CreateWindowExA(0, ApplicationWindowClass, "", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    // The taskbar button's menu: Restore, Minimize and Close.
    HMENU menu = GetSystemMenu(window_, FALSE);
    for (UINT command : {SC_MOVE, SC_SIZE, SC_MAXIMIZE}) DeleteMenu(menu, command, MF_BYCOMMAND);
    SetErrorSink([this](const std::exception& error) { HandleException(error); });
}

TApplication::~TApplication() {
    SetErrorSink(nullptr);
    // Forms go first, in reverse order of creation, then the window that owned them.
    while (!owned_.empty()) owned_.pop_back();
    if (window_) DestroyWindow(window_);
    if (largeIcon_) DestroyIcon(largeIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    SetWindowTextA(window_, title.c_str());
}

void TApplication::FormCreated(TForm* form) {
    forms_.push_back(form);
    if (!mainForm_) mainForm_ = form;
}

void TApplication::FormVisibilityChanged() {
    bool anyVisible = std::any_of(forms_.begin(), forms_.end(), [](TForm* form) { return form->Visible(); });
    // The taskbar button exists while a form is on screen (or the program is minimized).
    if (anyVisible && !IsWindowVisible(window_))
        ShowWindow(window_, SW_SHOWNA);
    else if (!anyVisible && !minimized_ && IsWindowVisible(window_))
        ShowWindow(window_, SW_HIDE);
}

void TApplication::ActivateVisibleForm() {
    for (TForm* form : forms_) {
        if (form->Visible() && IsWindowEnabled(form->Handle())) {
            SetActiveWindow(form->Handle());
            return;
        }
    }
}

void TApplication::Run() {
    ShowMainForm();
    while (!terminated_) HandleMessage();
}

void TApplication::ShowMainForm() {
    if (!mainForm_) return;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int state = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
    switch (state) {
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            // Only the taskbar button; the main form comes up normally when restored.
            hiddenByMinimize_ = {mainForm_};
            minimized_ = true;
            ShowWindow(window_, SW_SHOWMINNOACTIVE);
            break;
        case SW_SHOWMAXIMIZED:
            mainForm_->Show();
            ShowWindow(mainForm_->Handle(), SW_SHOWMAXIMIZED);
            break;
        default:
            mainForm_->Show();
    }
}

void TApplication::HandleMessage() {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ProcessMessage(message);
        return;
    }
    // The queue is empty: one idle step, then sleep until something arrives.
    Guarded([&] { Idle(); });
    if (!terminated_) WaitMessage();
}

void TApplication::ProcessMessages() {
    MSG message;
    while (!terminated_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(message);
}

void TApplication::ProcessMessage(MSG& message) {
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return;
    }
    bool consumed = false;
    if (IsKeyMessage(message.message)) {
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        Guarded([&] {
            for (TForm* form : forms_)
                if (form->Handle() == root) consumed = form->PreTranslateKey(message);
        });
    }
    if (!consumed) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void TApplication::Idle() {
    ++idleSteps_;
    for (TForm* form : forms_)
        if (IsWindowVisible(form->Handle()) && IsWindowEnabled(form->Handle())) form->UpdateActions();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleException(const std::exception& error) {
    if (dynamic_cast<const EAbort*>(&error)) return;
    MessageBox(ErrorBoxText(error.what()), MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& text, UINT flags) {
    HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND window : disabled) EnableWindow(window, FALSE);
    int result = presenter_->Show(window_, text, title_, flags);
    for (HWND window : disabled) EnableWindow(window, TRUE);
    // Activating the window again gives the focus back to its control.
    if (active && IsWindow(active) && IsWindowVisible(active)) SetActiveWindow(active);
    return result;
}

void TApplication::Minimize() {
    hiddenByMinimize_.clear();
    for (TForm* form : forms_) {
        if (!form->Visible()) continue;
        hiddenByMinimize_.push_back(form);
        ShowWindow(form->Handle(), SW_HIDE);
    }
    minimized_ = true;
    ShowWindow(window_, SW_MINIMIZE);
}

void TApplication::Restore() {
    minimized_ = false;
    ShowWindow(window_, SW_RESTORE);
    for (TForm* form : hiddenByMinimize_) {
        if (form->Visible())
            ShowWindow(form->Handle(), SW_SHOW);
        else
            form->Show();
    }
    if (!hiddenByMinimize_.empty()) SetActiveWindow(hiddenByMinimize_.back()->Handle());
    hiddenByMinimize_.clear();
    FormVisibilityChanged();
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TApplication* application = Application;
    if (!application || window != application->window_) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    bool handled = false;
    Guarded([&] {
        switch (message) {
            case WM_SYSCOMMAND:
                switch (wParam & 0xFFF0) {
                    case SC_MINIMIZE: application->Minimize(); handled = true; break;
                    case SC_RESTORE: application->Restore(); handled = true; break;
                    case SC_CLOSE:
                        if (application->mainForm_) application->mainForm_->Close();
                        handled = true;
                        break;
                }
                break;
            case WM_CLOSE:
                // The Close of the taskbar button's menu closes the main form.
                if (application->mainForm_) application->mainForm_->Close();
                handled = true;
                break;
            case WM_QUERYENDSESSION:
                result = TRUE;
                handled = true;
                break;
            case WM_ENDSESSION:
                if (wParam) application->EndSession();
                handled = true;
                break;
        }
    });
    return handled ? result : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace toolkit
