#include "StandardControls.h"

#include "Errors.h"
#include "Form.h"
#include "LoadContext.h"

namespace toolkit {

void TLabel::SetProperty(const layout::Property& p, LoadContext& context) {
    if (p.name == "AutoSize")
        autoSize_ = BoolValue(p);
    else
        TControl::SetProperty(p, context);
}

void TLabel::CreateHandle() {
    // One line, clipped at the right edge; & draws as a mnemonic underline.
    CreateNative("STATIC", SS_LEFTNOWORDWRAP);
    if (autoSize_) FitToText();
}

void TLabel::SetCaption(const std::string& text) {
    TControl::SetCaption(text);
    if (handle_ && autoSize_) FitToText();
}

void TLabel::FitToText() {
    HDC dc = GetDC(handle_);
    HGDIOBJ old = SelectObject(dc, OwnerForm()->FontHandle());
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, caption_.empty() ? " " : caption_.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(handle_, dc);
    SetWindowPos(handle_, nullptr, 0, 0, caption_.empty() ? 0 : bounds.right, bounds.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TButton::CreateHandle() { CreateNative("BUTTON", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP); }

bool TButton::HandleCommand(WORD code) {
    switch (code) {
        case BN_CLICKED:
            Click();
            return true;
        // The focused button is drawn as the default one, since Enter presses it.
        case BN_SETFOCUS:
            SendMessageA(handle_, BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_NOTIFY, TRUE);
            return true;
        case BN_KILLFOCUS:
            SendMessageA(handle_, BM_SETSTYLE, BS_PUSHBUTTON | BS_NOTIFY, TRUE);
            return true;
    }
    return false;
}

bool TButton::AcceptsAccelerator() const { return handle_ && IsWindowVisible(handle_) && IsWindowEnabled(handle_); }

void TCustomEdit::CreateHandle() {
    CreateNative("EDIT", style_ | WS_TABSTOP, WS_EX_CLIENTEDGE);
    // As much text as the system allows; the settings reader sets its own, smaller limit.
    SendMessageA(handle_, EM_SETLIMITTEXT, 0, 0);
}

TEdit::TEdit() : TCustomEdit(ES_AUTOHSCROLL) {}

void TEdit::EnteredByKeyboard() { SendMessageA(handle_, EM_SETSEL, 0, -1); }

TMemo::TMemo() : TCustomEdit(ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN) {}

void TListBox::CreateHandle() {
    CreateNative("LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
}

int TListBox::Count() const { return static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0)); }

std::string TListBox::Line(int index) const {
    LRESULT length = SendMessageA(handle_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::string text(length + 1, '\0');
    SendMessageA(handle_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void TListBox::Replace(int index, const std::string& text) {
    LRESULT selected = SendMessageA(handle_, LB_GETCURSEL, 0, 0);
    SendMessageA(handle_, LB_DELETESTRING, index, 0);
    LRESULT result = SendMessageA(handle_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
    if (result == LB_ERR || result == LB_ERRSPACE) throw EOutOfResources();
    // Replacing a line keeps the selection where it was.
    if (selected != LB_ERR) SendMessageA(handle_, LB_SETCURSEL, selected, 0);
}

void TListBox::Append(const std::string& text) {
    LRESULT result = SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (result == LB_ERR || result == LB_ERRSPACE) throw EOutOfResources();
}

}  // namespace toolkit
