// Every message box of the program goes through one presenter, so that tests can capture
// a box instead of showing it.
#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Shows a modal box and returns the button pressed (IDOK, ...).
    virtual int Show(HWND owner, const std::string& text, const std::string& title, UINT flags) {
        return MessageBoxA(owner, text.c_str(), title.c_str(), flags);
    }
};

}  // namespace toolkit
