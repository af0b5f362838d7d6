// The language chooser: two buttons that set the main window's texts in English or
// Portuguese, show it, and hide the chooser.
#pragma once

#include "Form.h"

class TForm2 : public toolkit::TForm {
public:
    TForm2();

private:
    void Button1Click();
    void Button2Click();
};

extern TForm2* Form2;
