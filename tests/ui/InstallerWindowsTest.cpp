// The installer's two windows in the test process: real windows, real keyboard and mouse
// input, the real layouts.
#include <windows.h>
#include <commctrl.h>

#include <fstream>

#include "Errors.h"
#include "InstallerFixture.h"
#include "SystemErrorText.h"

using namespace toolkit;
namespace fs = std::filesystem;

namespace {

std::string CaptionOf(TForm* form, const char* name) { return form->Find<TControl>(name)->Caption(); }

std::string ReadFileText(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ControlVisible(TForm* form, const char* name) {
    return IsWindowVisible(form->Find<TControl>(name)->Handle()) != 0;
}

// What the main window holds at the moment it is shown.
struct SeenAtShow {
    std::string exitText;
    std::string caption;
};

LRESULT CALLBACK RecordTextsAtShow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data) {
    if (message == WM_SHOWWINDOW && wParam) {
        auto* seen = reinterpret_cast<SeenAtShow*>(data);
        seen->exitText = Form1->Find<TControl>("Button15")->Caption();
        seen->caption = Form1->Caption();
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

TEST_F(InstallerFixture, EnterRightAfterStartChoosesEnglish) {
    Start();
    EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
    EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
    EXPECT_EQ(FocusedName(), "Button1");
    EXPECT_EQ(Form2->Caption(), "Install Idiom");
    EXPECT_EQ(CaptionOf(Form2, "Button2"), "Portugu\xEAs");  // code page 1252 under the test locale

    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(Form1->Handle()) != 0; }));
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
    EXPECT_EQ(Form1->Caption(), "Demo Synth Install");
    EXPECT_EQ(CaptionOf(Form1, "Label15"), "Please show your VST folder to begin .");
    EXPECT_EQ(CaptionOf(Form1, "Button15"), "Exit");
    EXPECT_EQ(CaptionOf(Form1, "Label24"), "Demo Synth");
    EXPECT_EQ(CaptionOf(Form1, "Label16"), "demo.wav");
    EXPECT_EQ(CaptionOf(Form1, "Label20"), "face.bmp");
    EXPECT_EQ(GetActiveWindow(), Form1->Handle());
    EXPECT_TRUE(boxes.empty());
}

// The Portuguese texts are in place before the show handler runs and before the window is
// on screen: the window is never seen in English first.
TEST_F(InstallerFixture, PortugueseTextsAreSetBeforeTheWindowShows) {
    Start();
    SeenAtShow seen;
    SetWindowSubclass(Form1->Handle(), RecordTextsAtShow, 1, reinterpret_cast<DWORD_PTR>(&seen));
    ClickControl("Form2", "Button2");
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(Form1->Handle()) != 0; }));
    RemoveWindowSubclass(Form1->Handle(), RecordTextsAtShow, 1);
    EXPECT_EQ(seen.exitText, "Sair");
    EXPECT_EQ(seen.caption, "Demo Synth Install");
    EXPECT_EQ(CaptionOf(Form1, "Label15"), "Por favor selecione a pasta de VSTs para iniciar.");
    EXPECT_EQ(CaptionOf(Form1, "Button16"), "Instalar");
    EXPECT_EQ(CaptionOf(Form1, "Label31"), "Desaja instalar na pasta selecionada?");
    EXPECT_EQ(CaptionOf(Form1, "Button14"), "Ok");
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
}

// Tab walks the keyboard order, through the holders outside the visible area, skips what
// is hidden and wraps; Shift+Tab walks it back.
TEST_F(InstallerFixture, TabReachesTheHoldersOutsideTheVisibleArea) {
    Start();
    ChooseEnglish();
    Form1->FocusControl(Form1->Find<TControl>("Shell"));
    const std::vector<std::string> forward = {"Memo4", "Memo5", "Edit1", "ListBox3", "Button15",
                                              "Button13", "Memo1", "Button14", "Shell"};
    for (const std::string& expected : forward) {
        PressKey(VK_TAB);
        EXPECT_EQ(FocusedName(), expected);
    }
    for (auto it = forward.rbegin() + 1; it != forward.rend(); ++it) {
        PressKey(VK_TAB, {VK_SHIFT});
        EXPECT_EQ(FocusedName(), *it);
    }
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(FocusedName(), "Shell");

    // A one-line text box entered by Tab has its text selected, and takes typing although
    // it lies outside the visible area.
    for (int i = 0; i < 3; ++i) PressKey(VK_TAB);
    ASSERT_EQ(FocusedName(), "Edit1");
    PressKey('X');
    EXPECT_EQ(CaptionOf(Form1, "Edit1"), "x");
}

TEST_F(InstallerFixture, ArrowsAndTabMoveBetweenTheChooserButtons) {
    Start();
    PressKey(VK_RIGHT);
    EXPECT_EQ(FocusedName(), "Button2");
    PressKey(VK_TAB);
    EXPECT_EQ(FocusedName(), "Button1");
    PressKey(VK_UP);
    EXPECT_EQ(FocusedName(), "Button2");
    PressKey(VK_ESCAPE);  // no cancel button: nothing happens
    EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
    EXPECT_FALSE(application->Terminated());
}

// Alt+R clicks the run button outside the visible area; R alone does too while the focused
// control takes no characters, and types into a text box otherwise.
TEST_F(InstallerFixture, RunAcceleratorReachesTheOffAreaButton) {
    Start();
    ChooseEnglish();
    const std::string missingFile = ErrorBoxText(TrimmedSystemMessage(ERROR_FILE_NOT_FOUND));

    PressKey('R', {VK_MENU});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, missingFile);

    Form1->FocusControl(Form1->Find<TControl>("Button15"));
    PressKey('R');
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, missingFile);

    Form1->FocusControl(Form1->Find<TControl>("Memo1"));
    PressKey('R');
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_NE(CaptionOf(Form1, "Memo1").find('r'), std::string::npos);
}

TEST_F(InstallerFixture, ErrorBoxAppliesThePeriodRule) {
    Start();
    const std::pair<std::string, std::string> cases[] = {
        {"Select a folder first", "Select a folder first."},
        {"Why?", "Why?."},
        {"Done.", "Done."},
        {"(see above)", "(see above)"},
        {"Careful!", "Careful!"},
        {"List,", "List,"},
        {"dash-", "dash-"},
        {"slash/", "slash/."},
        {"5", "5."},
        {"colon:", "colon:."},
        {"Produ\xE7\xE3o", "Produ\xE7\xE3o."},
        {"trailing space ", "trailing space "},
        {"", ""},
    };
    for (const auto& [message, shown] : cases) {
        boxes.clear();
        application->HandleException(Exception(message));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, shown) << message;
        EXPECT_EQ(boxes[0].title, "install");
        EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    }
    boxes.clear();
    application->HandleException(EAbort());
    EXPECT_TRUE(boxes.empty());
}

// While the box is open the program's windows take no input; afterwards the window is
// active again with the focus where it was.
TEST_F(InstallerFixture, ErrorBoxDisablesTheWindowAndRestoresTheFocus) {
    Start();
    ChooseEnglish();
    Form1->FocusControl(Form1->Find<TControl>("Button15"));
    bool enabledDuringBox = true;
    whileBoxOpen = [&] { enabledDuringBox = IsWindowEnabled(Form1->Handle()) != 0; };
    ClickControl("Form1", "Button14");  // "Ok" before any folder: an error
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Select a folder first.");
    EXPECT_FALSE(enabledDuringBox);
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_EQ(GetActiveWindow(), Form1->Handle());
    EXPECT_EQ(FocusedName(), "Button14");
    // Nothing was written and the face did not change.
    EXPECT_FALSE(fs::exists("ini.8da"));
    EXPECT_TRUE(ControlVisible(Form1, "Button14"));
    EXPECT_FALSE(ControlVisible(Form1, "Button16"));
}

TEST_F(InstallerFixture, MissingSettingsFileIsReportedAndTheWindowStillComesUp) {
    Start(std::nullopt);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Cannot open file \"" + (workFolder / "smp.ini").string() + "\". " +
                                 TrimmedSystemMessage(ERROR_FILE_NOT_FOUND) + ".");
    EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
    ChooseEnglish();
    EXPECT_EQ(Form1->Caption(), " Install");
}

// A settings file far too large is refused whole; a binary one gives whatever its lines
// hold. Either way the program goes on to the chooser and the main window.
TEST_F(InstallerFixture, OversizedOrBinarySettingsLeaveTheProgramRunning) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>(1 + (i * 37) % 255);
    const struct {
        std::string settings;
        std::vector<std::string> boxTexts;
        std::string memoText;
    } cases[] = {
        {std::string(10 * 1024 * 1024, 'x'), {"Text exceeds memo capacity."}, "Memo1\r\n"},
        {binary, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings.size());
        boxes.clear();
        Start(c.settings);
        std::vector<std::string> texts;
        for (const CapturedBox& box : boxes) texts.push_back(box.text);
        EXPECT_EQ(texts, c.boxTexts);
        if (!c.memoText.empty()) EXPECT_EQ(CaptionOf(Form1, "Memo4"), c.memoText);
        ChooseEnglish();
        EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
        application.reset();
    }
}

TEST_F(InstallerFixture, ClosingTheInstallerWindowHidesItAndClosingTheChooserEnds) {
    Start();
    ChooseEnglish();
    SendMessageA(Form1->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
    EXPECT_FALSE(application->Terminated());
    SendMessageA(Form2->Handle(), WM_CLOSE, 0, 0);  // hidden, but still the main window
    EXPECT_TRUE(PumpUntil([&] { return application->Terminated(); }));
}

TEST_F(InstallerFixture, CloseFromTheTaskbarButtonEndsTheProgram) {
    Start();
    ChooseEnglish();
    SendMessageA(application->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return application->Terminated(); }));
}

TEST_F(InstallerFixture, EndOfSessionIsAgreedToAndEndsTheLoop) {
    Start();
    ChooseEnglish();
    EXPECT_EQ(SendMessageA(Form1->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(SendMessageA(Form2->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_FALSE(application->Terminated());
    SendMessageA(Form1->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(application->Terminated());
}

// "Ok" writes the files, turns the face and starts the timer, which ends the program six
// seconds later; a second confirmation writes again but does not restart the timer.
TEST_F(InstallerFixture, OkWritesTurnsTheFaceAndEndsTheProgramSixSecondsLater) {
    Start();
    ChooseEnglish();
    // The top node is selected: a click on it composes the plan for the drive's root.
    auto* tree = Control<TShellTreeView>(Form1, "Shell");
    RECT item{};
    TreeView_GetItemRect(tree->Handle(), TreeView_GetRoot(tree->Handle()), &item, TRUE);
    POINT point{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(tree->Handle(), &point);
    ClickAt(point);
    ASSERT_TRUE(PumpUntil([&] { return CaptionOf(Form1, "Label32") == "C:\\"; }));
    EXPECT_EQ(CaptionOf(Form1, "Memo1"), "C:\\\\Demo Synth\\Audio\\demo.wav");
    EXPECT_EQ(CaptionOf(Form1, "Label23"), "MD \"C:\\\\Demo Synth\"");

    DWORD okAt = GetTickCount();
    ClickControl("Form1", "Button14");
    ASSERT_TRUE(PumpUntil([] { return ControlVisible(Form1, "Button16"); }));
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text);
    EXPECT_EQ(ReadFileText("ini.8da"), "C:\\\\Demo Synth\\Audio\\demo.wav");
    EXPECT_TRUE(ControlVisible(Form1, "Button16"));
    EXPECT_FALSE(ControlVisible(Form1, "Button14"));
    EXPECT_TRUE(ControlVisible(Form1, "Label31"));
    EXPECT_FALSE(ControlVisible(Form1, "Label15"));
    EXPECT_EQ(Control<TListBox>(Form1, "ListBox3")->Count(), 7);
    EXPECT_EQ(Control<TListBox>(Form1, "ListBox3")->Line(0), "MD \"C:\\\\Demo Synth\"");

    Pump(3000);
    Form1->FindHandler("FileSaveAs1Accept")(Form1);
    EXPECT_TRUE(PumpUntil([&] { return application->Terminated(); }, 6000));
    DWORD elapsed = GetTickCount() - okAt;
    EXPECT_GE(elapsed, 5900u);
    EXPECT_LT(elapsed, 8000u);
}
