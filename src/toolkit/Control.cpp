#include "Control.h"

#include <cctype>

#include "Action.h"
#include "Form.h"
#include "LoadContext.h"
#include "Screen.h"

namespace toolkit {

namespace {
const char* const ControlProperty = "toolkit.control";
}

TControl::~TControl() {
    if (handle_) {
        RemovePropA(handle_, ControlProperty);
        DestroyWindow(handle_);
    }
}

TControl* TControl::FromHandle(HWND window) {
    return window ? static_cast<TControl*>(GetPropA(window, ControlProperty)) : nullptr;
}

void TControl::AttachHandle(HWND window) {
    handle_ = window;
    SetPropA(window, ControlProperty, this);
}

std::string TControl::Caption() const {
    if (!handle_) return caption_;
    int length = GetWindowTextLengthA(handle_);
    std::string text(length + 1, '\0');
    text.resize(GetWindowTextA(handle_, text.data(), length + 1));
    return text;
}

void TControl::SetCaption(const std::string& text) {
    caption_ = text;
    if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TControl::SetVisible(bool visible) {
    visible_ = visible;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (handle_) EnableWindow(handle_, enabled);
}

bool TControl::CanFocus() const {
    return handle_ && TakesFocus() && IsWindowVisible(handle_) && IsWindowEnabled(handle_);
}

char TControl::AcceleratorLetter() const {
    const std::string text = Caption();
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
        ++i;  // "&&" draws one ampersand
    }
    return 0;
}

void TControl::Click() {
    if (action_)
        action_->Execute();
    else if (OnClick)
        OnClick(this);
}

bool TControl::HandleCommand(WORD) { return false; }

bool TControl::HandleNotify(const NMHDR&, LRESULT&) { return false; }

int TControl::Scale(int value) const { return MulDiv(value, ScreenPixelsPerInch(), LayoutPixelsPerInch); }

HWND TControl::CreateNative(const char* windowClass, DWORD style, DWORD exStyle) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    HWND window = CreateWindowExA(exStyle, windowClass, caption_.c_str(), style, Scale(left_), Scale(top_),
                                  Scale(width_), Scale(height_), parent_->Handle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) throw std::runtime_error("Cannot create a window of class " + std::string(windowClass));
    AttachHandle(window);
    ApplyFont();
    return window;
}

void TControl::ApplyFont() {
    if (OwnerForm() && OwnerForm()->FontHandle())
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(OwnerForm()->FontHandle()), FALSE);
}

void TControl::CreateHandle() {
    for (TControl* child : children_) child->CreateHandle();
}

void TControl::SetProperty(const layout::Property& p, LoadContext& context) {
    const std::string& n = p.name;
    if (n == "Bounds") {
        left_ = IntValue(p, 0), top_ = IntValue(p, 1), width_ = IntValue(p, 2), height_ = IntValue(p, 3);
    } else if (n == "Position") {
        left_ = IntValue(p, 0), top_ = IntValue(p, 1);
    } else if (n == "Caption" || n == "Text") {
        caption_ = Utf8ToAnsi(StringValue(p));
    } else if (n == "Visible") {
        visible_ = BoolValue(p);
    } else if (n == "Enabled") {
        enabled_ = BoolValue(p);
    } else if (n == "TabOrder") {
        tabOrder_ = IntValue(p);
    } else if (n == "OnClick") {
        OnClick = context.Handler(p);
    } else if (n == "Action") {
        std::string actionName = IdentifierValue(p);
        context.AfterAllCreated([this, actionName, p, &context] {
            action_ = dynamic_cast<TAction*>(context.Form().FindComponent(actionName));
            if (!action_) throw layout::LayoutError(p.line, "no action named " + actionName);
            action_->Link(this);
        });
    } else {
        TComponent::SetProperty(p, context);
    }
}

void TControl::Loaded() {
    // A control keeps the caption its layout gives it; an empty one, or one that merely
    // repeats the control's name, gives way to the action's.
    if (action_ && (caption_.empty() || caption_ == Name())) caption_ = action_->Caption();
    if (action_) enabled_ = action_->Enabled();
}

void TControl::ActionChanged() {
    if (action_) SetEnabled(action_->Enabled());
}

}  // namespace toolkit
