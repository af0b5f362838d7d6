#include "Unit2.h"

#include "Main.h"

TForm2* Form2 = nullptr;

namespace {

// The texts that differ between the two languages.
struct LanguageTexts {
    const char* prompt;
    const char* installButton;
    const char* exitButton;
    const char* question;
};

const LanguageTexts English{"Please show your VST folder to begin .", "Install", "Exit",
                            "Would like to install in the selected folder?"};
const LanguageTexts Portuguese{"Por favor selecione a pasta de VSTs para iniciar.", "Instalar", "Sair",
                               "Desaja instalar na pasta selecionada?"};

// The texts go in before the main window is shown, so it never shows the other language.
void ChooseLanguage(const LanguageTexts& texts) {
    Form1->ApplyLanguage(texts.prompt, texts.installButton, texts.exitButton, texts.question);
    Form1->Show();
    Form2->Hide();
}

}  // namespace

TForm2::TForm2() {
    Form2 = this;
    RegisterHandler("Button1Click", [this](toolkit::TComponent*) { Button1Click(); });
    RegisterHandler("Button2Click", [this](toolkit::TComponent*) { Button2Click(); });
    LoadFromResource("FORM2");
}

void TForm2::Button1Click() { ChooseLanguage(English); }

void TForm2::Button2Click() { ChooseLanguage(Portuguese); }
