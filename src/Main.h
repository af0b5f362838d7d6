// The main installer window: the folder tree, "Ok", "Install" and "Exit", and the holders
// (most of them outside the visible area) that carry the settings and the install plan.
#pragma once

#include "Form.h"
#include "ShellTreeView.h"
#include "StandardControls.h"
#include "Timer.h"

class TForm1 : public toolkit::TForm {
public:
    TForm1();

    // Sets the four texts that the language chooser decides.
    void ApplyLanguage(const char* prompt, const char* installButton, const char* exitButton, const char* question);

private:
    void BindComponents() override;

    void FormCreate();
    void FormShow();
    void ShellClick();
    void FileSaveAs1Accept();
    void Button15Click();
    void Timer1Timer();

    toolkit::TLabel* Label15 = nullptr;  // prompt
    toolkit::TLabel* Label31 = nullptr;  // confirmation question
    toolkit::TShellTreeView* Shell = nullptr;
    toolkit::TButton* Button14 = nullptr;  // Ok
    toolkit::TButton* Button16 = nullptr;  // Install
    toolkit::TButton* Button15 = nullptr;  // Exit
    toolkit::TLabel* Label32 = nullptr;    // LongFolder, shown
    toolkit::TMemo* Memo4 = nullptr;       // the settings text
    toolkit::TLabel* Label24 = nullptr;    // SubFolder
    toolkit::TLabel* Label16 = nullptr;    // AudioFileName
    toolkit::TLabel* Label20 = nullptr;    // BitmapFileName
    toolkit::TLabel* Label2 = nullptr;     // ShortFolder
    toolkit::TMemo* Memo1 = nullptr;       // AudioPathText
    toolkit::TMemo* Memo5 = nullptr;       // BitmapPathText
    toolkit::TLabel* ScriptLineLabels[7] = {};
    toolkit::TListBox* ListBox3 = nullptr;  // the script lines as written
    toolkit::TTimer* Timer1 = nullptr;      // ends the program after "Ok"
};

extern TForm1* Form1;
