#include "Main.h"

#include "Errors.h"
#include "InstallFiles.h"
#include "InstallPlan.h"
#include "ProductSettings.h"
#include "ScriptValues.h"
#include "SettingsText.h"
#include "Unit2.h"

using namespace toolkit;

TForm1* Form1 = nullptr;

TForm1::TForm1() {
    Form1 = this;
    auto handler = [this](void (TForm1::*method)()) { return [this, method](TComponent*) { (this->*method)(); }; };
    RegisterHandler("FormCreate", handler(&TForm1::FormCreate));
    RegisterHandler("FormShow", handler(&TForm1::FormShow));
    RegisterHandler("ShellClick", handler(&TForm1::ShellClick));
    RegisterHandler("FileSaveAs1Accept", handler(&TForm1::FileSaveAs1Accept));
    RegisterHandler("Button15Click", handler(&TForm1::Button15Click));
    RegisterHandler("Timer1Timer", handler(&TForm1::Timer1Timer));
    LoadFromResource("FORM1");
}

void TForm1::BindComponents() {
    Label15 = Require<TLabel>("Label15");
    Label31 = Require<TLabel>("Label31");
    Shell = Require<TShellTreeView>("Shell");
    Button14 = Require<TButton>("Button14");
    Button16 = Require<TButton>("Button16");
    Button15 = Require<TButton>("Button15");
    Label32 = Require<TLabel>("Label32");
    Memo4 = Require<TMemo>("Memo4");
    Label24 = Require<TLabel>("Label24");
    Label16 = Require<TLabel>("Label16");
    Label20 = Require<TLabel>("Label20");
    Label2 = Require<TLabel>("Label2");
    Memo1 = Require<TMemo>("Memo1");
    Memo5 = Require<TMemo>("Memo5");
    // The script lines' holders in line order, which is not the order of their names.
    const char* lineHolders[ScriptLineCount] = {"Label23", "Label25", "Label26", "Label27",
                                                "Label28", "Label30", "Label29"};
    for (int i = 0; i < ScriptLineCount; ++i) ScriptLineLabels[i] = Require<TLabel>(lineHolders[i]);
    ListBox3 = Require<TListBox>("ListBox3");
    Timer1 = Require<TTimer>("Timer1");
}

void TForm1::ApplyLanguage(const char* prompt, const char* installButton, const char* exitButton,
                           const char* question) {
    Label15->SetCaption(prompt);
    Button16->SetCaption(installButton);
    Button15->SetCaption(exitButton);
    Label31->SetCaption(question);
}

void TForm1::FormCreate() { Memo4->SetCaption(ReadProductSettings()); }

void TForm1::FormShow() {
    ProductSettings settings = ExtractProductSettings(Memo4->Caption());
    Label24->SetCaption(settings.SubFolder);
    Label16->SetCaption(settings.AudioFileName);
    Label20->SetCaption(settings.BitmapFileName);
    SetCaption(InstallerCaption(settings));
}

void TForm1::ShellClick() {
    ProductSettings settings{Label24->Caption(), Label16->Caption(), Label20->Caption(), ""};
    InstallPlan plan = ComposeInstallPlan(Shell->Path(), settings);
    Label2->SetCaption(plan.ShortFolder);
    Label32->SetCaption(plan.LongFolder);
    Memo1->SetCaption(plan.AudioPathText);
    Memo5->SetCaption(plan.BitmapPathText);
    for (int i = 0; i < ScriptLineCount; ++i) ScriptLineLabels[i]->SetCaption(plan.ScriptLines[i]);
}

void TForm1::FileSaveAs1Accept() {
    // Without a clicked folder the holders carry only their placeholder texts.
    if (Label32->Caption().empty()) throw Exception("Select a folder first");
    CheckScriptValues(Label32->Caption(), Label2->Caption(), Label24->Caption());
    InstallFileTexts texts{Memo1->Caption(), Memo5->Caption(), {}};
    for (int i = 0; i < ScriptLineCount; ++i) texts.ScriptLines[i] = ScriptLineLabels[i]->Caption();
    WriteInstallFiles(texts, *ListBox3);

    Button16->SetVisible(true);
    Button14->SetVisible(false);
    Label15->SetVisible(false);
    Label31->SetVisible(true);
    Timer1->SetEnabled(true);
}

void TForm1::Button15Click() {
    Close();
    Form2->Close();
}

void TForm1::Timer1Timer() {
    Form2->Close();
    Close();
}
