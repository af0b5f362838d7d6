// Runs the real installer windows in the test process: the application object, the
// chooser and the main window made from the program's own layouts, in a scratch working
// folder with the demo settings, every message box captured instead of shown.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Application.h"
#include "Main.h"
#include "Unit2.h"

struct CapturedBox {
    std::string text;
    std::string title;
    UINT flags;
};

class InstallerFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the application and both forms, as the program's entry does, and shows the
    // chooser as the loop's first act. `settings` is written to smp.ini first (none if empty).
    void Start(std::optional<std::string> settings = std::string(DemoSettings));
    // Handles messages until `done` holds or `milliseconds` pass; returns `done()`.
    bool PumpUntil(const std::function<bool()>& done, int milliseconds = 2000);
    void Pump(int milliseconds = 100);

    // Real keyboard input to the active window. `modifiers` are held while `key` is pressed.
    void PressKey(WORD key, std::vector<WORD> modifiers = {});
    // A real left click at a screen point, and at the middle of a control.
    void ClickAt(POINT screenPoint);
    void ClickControl(const char* formName, const char* controlName);
    void ChooseEnglish();

    template <class T>
    T* Control(toolkit::TForm* form, const char* name) {
        T* control = form->Find<T>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    std::string FocusedName();

    static constexpr const char* DemoSettings =
        "Product folder:\r\nDemo Synth\r\nAudio file:\r\ndemo.wav\r\nBitmap file:\r\nface.bmp\r\nProduct name:\r\nDemo Synth\r\n";

    std::filesystem::path workFolder;
    std::vector<CapturedBox> boxes;
    // Runs inside each box, while it would be open.
    std::function<void()> whileBoxOpen;
    std::unique_ptr<toolkit::TApplication> application;

private:
    std::filesystem::path previousFolder_;
};
