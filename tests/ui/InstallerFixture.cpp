#include "InstallerFixture.h"

#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

class CapturingPresenter : public toolkit::MessagePresenter {
public:
    CapturingPresenter(std::vector<CapturedBox>& boxes,
                                std::function<void()>& whileOpen)
        : boxes_(boxes), whileOpen_(whileOpen) {}
    int Show(HWND, const std::string& text, const std::string& title, UINT flags) override {
        boxes_.push_back({text, title, flags});
        if (whileOpen_) whileOpen_();
        return IDOK;
    }

private:
    std::vector<CapturedBox>& boxes_;
    std::function<void()>& whileOpen_;
};

}  // namespace

void InstallerFixture::SetUp() {
    previousFolder_ = fs::current_path();
    std::random_device random;
    workFolder = fs::temp_directory_path() / ("ui-test-" + std::to_string(random()));
    fs::create_directories(workFolder);
    fs::current_path(workFolder);
}

void InstallerFixture::TearDown() {
    application.reset();
    Form1 = nullptr;
    Form2 = nullptr;
    std::error_code ignored;
    fs::current_path(previousFolder_, ignored);
    fs::remove_all(workFolder, ignored);
}

void InstallerFixture::Start(std::optional<std::string> settings) {
    if (settings) std::ofstream(workFolder / "smp.ini", std::ios::binary) << *settings;
    application = std::make_unique<toolkit::TApplication>();
    application->SetPresenter(std::make_unique<CapturingPresenter>(boxes, whileBoxOpen));
    application->SetTitle("install");
    application->CreateForm<TForm2>();
    application->CreateForm<TForm1>();
    application->ShowMainForm();
    Pump();
}

bool InstallerFixture::PumpUntil(const std::function<bool()>& done, int milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    while (!done() && !application->Terminated() && static_cast<int>(end - GetTickCount()) > 0) {
        application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    application->ProcessMessages();
    return done();
}

void InstallerFixture::Pump(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

void InstallerFixture::PressKey(WORD key, std::vector<WORD> modifiers) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers) add(modifier, false);
    add(key, false);
    add(key, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) add(*it, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump();
}

void InstallerFixture::ClickControl(const char* formName, const char* controlName) {
    toolkit::TForm* form = std::string(formName) == "Form1" ? static_cast<toolkit::TForm*>(Form1) : Form2;
    auto* control = Control<toolkit::TControl>(form, controlName);
    RECT bounds;
    GetWindowRect(control->Handle(), &bounds);
    ClickAt({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
}

void InstallerFixture::ClickAt(POINT screenPoint) {
    SetCursorPos(screenPoint.x, screenPoint.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    Pump();
}

void InstallerFixture::ChooseEnglish() {
    ClickControl("Form2", "Button1");
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(Form1->Handle()) != 0; }));
}

std::string InstallerFixture::FocusedName() {
    for (HWND window = GetFocus(); window; window = GetParent(window))
        if (toolkit::TControl* control = toolkit::TControl::FromHandle(window)) return control->Name();
    return "(none)";
}
