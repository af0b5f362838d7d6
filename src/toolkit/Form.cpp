#include "Form.h"

#include <algorithm>
#include <cctype>

#include "Action.h"
#include "Application.h"
#include "ErrorGuard.h"
#include "FormLoader.h"
#include "LoadContext.h"
#include "Screen.h"

namespace toolkit {

namespace {

const char* const FormClassName = "ToolkitForm";

void RegisterFormClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = FormClassName;
    RegisterClassA(&windowClass);
    registered = true;
}

// What the native window says about the keys it wants, asked without a message so that
// multi-line edits do not switch to their dialog behaviour.
UINT DialogCode(HWND window) { return window ? static_cast<UINT>(SendMessageA(window, WM_GETDLGCODE, 0, 0)) : 0; }

bool KeyDown(int key) { return GetKeyState(key) < 0; }

void AppendKeyboardOrder(const TControl& container, std::vector<TControl*>& order) {
    std::vector<TControl*> children;
    for (TControl* child : container.Children())
        if (child->TabOrder() >= 0) children.push_back(child);
    std::stable_sort(children.begin(), children.end(),
                     [](TControl* a, TControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TControl* child : children) {
        order.push_back(child);
        AppendKeyboardOrder(*child, order);
    }
}

}  // namespace

TForm::TForm() { visible_ = false; }

TForm::~TForm() {
    // The components first, each taking its own window while the form's still stands, so
    // that no component is left holding the handle of a window already gone.
    components_.clear();
    // No message may reach a half-destroyed form.
    if (handle_) {
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
        DestroyWindow(handle_);
    }
    if (font_) DeleteObject(font_);
}

void TForm::RegisterHandler(const std::string& name, TNotifyEvent handler) { handlers_[name] = std::move(handler); }

TNotifyEvent TForm::FindHandler(const std::string& name) const {
    auto found = handlers_.find(name);
    return found == handlers_.end() ? TNotifyEvent() : found->second;
}

TComponent* TForm::FindComponent(const std::string& name) const {
    for (const auto& component : components_)
        if (component->Name() == name) return component.get();
    return nullptr;
}

void TForm::LoadFromResource(const char* resourceName) { LoadFromText(LoadLayoutResource(resourceName)); }

void TForm::LoadFromText(const std::string& layoutText) {
    FormLoader(*this).Load(layout::ParseLayout(layoutText));
    BindComponents();
    Application->FormCreated(this);
    if (OnCreate) Guarded([&] { OnCreate(this); });
}

void TForm::SetProperty(const layout::Property& p, LoadContext& context) {
    const std::string& n = p.name;
    if (n == "ClientSize") {
        clientWidth_ = IntValue(p, 0), clientHeight_ = IntValue(p, 1);
    } else if (n == "BorderStyle") {
        std::string style = IdentifierValue(p);
        if (style != "bsSingle") throw layout::LayoutError(p.line, "unsupported border style " + style);
        singleBorder_ = true;
    } else if (n == "BorderIcons") {
        for (std::size_t i = 0; i < p.items.size(); ++i) {
            std::string icon = IdentifierValue(p, i);
            if (icon == "biSystemMenu") systemMenu_ = true;
            else if (icon == "biMinimize") minimizeBox_ = true;
            else if (icon == "biMaximize") maximizeBox_ = true;
            else throw layout::LayoutError(p.line, "unknown border icon " + icon);
        }
    } else if (n == "Font") {
        if (p.items.size() != 2) throw layout::LayoutError(p.line, "Font needs a name and a height");
        fontName_ = Utf8ToAnsi(p.items[0].text);
        fontHeight_ = IntValue(p, 1);
    } else if (n == "PixelsPerInch") {
        if (IntValue(p) != LayoutPixelsPerInch) throw layout::LayoutError(p.line, "layouts are made at 96 dpi");
    } else if (n == "OnCreate") {
        OnCreate = context.Handler(p);
    } else if (n == "OnShow") {
        OnShow = context.Handler(p);
    } else {
        TControl::SetProperty(p, context);
    }
}

void TForm::CreateHandle() {
    RegisterFormClass();
    // The font first: controls are sized for the scaled font, then placed at scaled positions.
    font_ = CreateFontA(MulDiv(fontHeight_, ScreenPixelsPerInch(), LayoutPixelsPerInch), 0, 0, 0, FW_NORMAL, FALSE,
                        FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, fontName_.c_str());
    DWORD style = WS_CAPTION | WS_CLIPCHILDREN | (singleBorder_ ? WS_BORDER : WS_THICKFRAME);
    // Without a window menu the title bar has no buttons at all.
    if (systemMenu_) style |= WS_SYSMENU | (minimizeBox_ ? WS_MINIMIZEBOX : 0) | (maximizeBox_ ? WS_MAXIMIZEBOX : 0);
    RECT frame{0, 0, Scale(clientWidth_), Scale(clientHeight_)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    // Left and Top are screen pixels of the outer corner, used as stored.
    HWND window = CreateWindowExA(0, FormClassName, caption_.c_str(), style, left_, top_, frame.right - frame.left,
                                  frame.bottom - frame.top, Application->Handle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) throw std::runtime_error("Cannot create the window " + Name());
    AttachHandle(window);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
    if (systemMenu_) {
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application->Icon(true)));
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Application->Icon(false)));
    }
    TControl::CreateHandle();
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = dynamic_cast<TForm*>(FromHandle(window));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    bool failed = true;
    Guarded([&] {
        result = form->HandleMessage(message, wParam, lParam);
        failed = false;
    });
    return failed ? 0 : result;
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (TControl* control = FromHandle(reinterpret_cast<HWND>(lParam)))
                if (control->HandleCommand(HIWORD(wParam))) return 0;
            break;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            LRESULT result = 0;
            if (TControl* control = FromHandle(header.hwndFrom))
                if (control->HandleNotify(header, result)) return result;
            break;
        }
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) Application->EndSession();
            return 0;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

void TForm::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) lastFocus_ = focus;
        return;
    }
    // Give the focus back to the control that had it, or to the first that can take it.
    if (lastFocus_ && IsChild(handle_, lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    for (TControl* control : KeyboardOrder()) {
        if (control->CanFocus()) {
            FocusControl(control);
            return;
        }
    }
    SetFocus(handle_);
}

void TForm::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (!handle_) {
        visible_ = visible;
        return;
    }
    if (visible) {
        // The show handler runs before the window is on screen; an error there is reported
        // and the window comes up all the same.
        if (OnShow) Guarded([&] { OnShow(this); });
        visible_ = true;
        Application->FormVisibilityChanged();
        ShowWindow(handle_, SW_SHOW);
        SetForegroundWindow(handle_);
        SetActiveWindow(handle_);
    } else {
        bool wasActive = GetActiveWindow() == handle_;
        visible_ = false;
        ShowWindow(handle_, SW_HIDE);
        if (wasActive) Application->ActivateVisibleForm();
        Application->FormVisibilityChanged();
    }
}

void TForm::Close() {
    // No form of ours refuses to close.
    if (this == Application->MainForm())
        Application->Terminate();
    else
        Hide();
}

std::vector<TControl*> TForm::KeyboardOrder() const {
    std::vector<TControl*> order;
    AppendKeyboardOrder(*this, order);
    return order;
}

TControl* TForm::ActiveControl() const {
    for (HWND window = GetFocus(); window && window != handle_; window = GetParent(window))
        if (TControl* control = FromHandle(window)) return control;
    return nullptr;
}

void TForm::FocusControl(TControl* control) {
    SetFocus(control->Handle());
    lastFocus_ = control->Handle();
}

void TForm::SelectNext(bool forward) {
    std::vector<TControl*> order = KeyboardOrder();
    if (order.empty()) return;
    const int count = static_cast<int>(order.size());
    auto found = std::find(order.begin(), order.end(), ActiveControl());
    int start = found == order.end() ? (forward ? -1 : count) : static_cast<int>(found - order.begin());
    for (int step = 1; step <= count; ++step) {
        int index = ((start + (forward ? step : -step)) % count + count) % count;
        if (order[index]->CanFocus()) {
            FocusControl(order[index]);
            order[index]->EnteredByKeyboard();
            return;
        }
    }
}

bool TForm::PreTranslateKey(const MSG& message) {
    bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (keyDown && IsShortCut && IsShortCut(message)) return true;
    if (message.message == WM_KEYDOWN && DialogKey(message)) return true;
    return AcceleratorKey(message);
}

bool TForm::DialogKey(const MSG& message) {
    HWND focus = GetFocus();
    switch (message.wParam) {
        case VK_TAB:
            if (KeyDown(VK_CONTROL) || KeyDown(VK_MENU)) return false;
            SelectNext(!KeyDown(VK_SHIFT));
            return true;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (DialogCode(focus) & DLGC_WANTARROWS) return false;
            SelectNext(message.wParam == VK_RIGHT || message.wParam == VK_DOWN);
            return true;
        case VK_RETURN:
            // Enter presses the focused button; there is no default button.
            if (!(DialogCode(focus) & DLGC_BUTTON)) return false;
            if (TControl* control = FromHandle(focus)) control->Click();
            return true;
    }
    return false;
}

bool TForm::AcceleratorKey(const MSG& message) {
    // Alt+letter always; the letter alone while the focused control takes no characters.
    if (message.message == WM_CHAR) {
        if (DialogCode(GetFocus()) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
    } else if (message.message != WM_SYSCHAR) {
        return false;
    }
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(message.wParam)));
    if (letter <= ' ') return false;
    std::vector<TControl*> all;
    std::function<void(const TControl&)> collect = [&](const TControl& container) {
        for (TControl* child : container.Children()) {
            all.push_back(child);
            collect(*child);
        }
    };
    collect(*this);
    for (TControl* control : all) {
        if (control->AcceleratorLetter() == letter && control->AcceptsAccelerator()) {
            control->Click();
            return true;
        }
    }
    return false;
}

void TForm::UpdateActions() {
    for (TActionList* list : actionLists_) list->UpdateActions();
}

}  // namespace toolkit
