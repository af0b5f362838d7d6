// The application object: the program's title and taskbar button, its forms, the message
// loop with its idle step, and the error handler that turns every escaping error into one
// standard box.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "MessagePresenter.h"

namespace toolkit {

class TForm;

class TApplication {
public:
    TApplication();
    ~TApplication();

    // The zero-size window that owns every form and carries the taskbar button.
    HWND Handle() const { return window_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    HICON Icon(bool large) const { return large ? largeIcon_ : smallIcon_; }

    // Creates a form; the first one created becomes the main form.
    template <class Form>
    Form* CreateForm() {
        auto form = std::make_unique<Form>();
        Form* created = form.get();
        owned_.push_back(std::move(form));
        return created;
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form in the process's start-up state, then loops until the end.
    void Run();
    // The loop's first act: the main form in the state the process was started with.
    void ShowMainForm();
    // Handles one message, or runs the idle step and sleeps when there is none.
    void HandleMessage();
    // Handles the messages waiting now, then returns (for tests and modal waits).
    void ProcessMessages();
    bool Terminated() const { return terminated_; }
    // How many times the idle step has run: the loop's only work when nothing happens.
    unsigned long IdleSteps() const { return idleSteps_; }
    // Requests the end of the program: the quit message is posted (exit code 0).
    void Terminate();
    // Windows is shutting down or the user logs off: the loop stops after this message.
    void EndSession() { terminated_ = true; }

    // The error box: no box for a silent abort; else the message with the period rule,
    // titled with the application's title, with the error icon and OK alone.
    void HandleException(const std::exception& error);
    // A box over the program, its windows disabled meanwhile and the active one restored.
    int MessageBox(const std::string& text, UINT flags);
    void SetPresenter(std::unique_ptr<MessagePresenter> presenter) { presenter_ = std::move(presenter); }

    // Form bookkeeping, called by TForm.
    void FormCreated(TForm* form);
    void FormVisibilityChanged();
    void ActivateVisibleForm();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ProcessMessage(MSG& message);
    void Idle();
    void Minimize();
    void Restore();

    HWND window_ = nullptr;
    std::string title_;
    HICON largeIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::vector<std::unique_ptr<TForm>> owned_;
    std::vector<TForm*> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    unsigned long idleSteps_ = 0;
    bool minimized_ = false;
    std::vector<TForm*> hiddenByMinimize_;
    std::unique_ptr<MessagePresenter> presenter_;
};

// The one application object of the process.
extern TApplication* Application;

// The error box's text: a period is appended when the message's last byte sorts after ".".
std::string ErrorBoxText(const std::string& message);

}  // namespace toolkit
