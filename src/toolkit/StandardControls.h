// The plain controls over native windows:
//   TLabel    static text, sized to its text or fixed and clipped, & drawn as a mnemonic
//   TButton   push button; Enter, Space, a click or its accelerator letter press it
//   TEdit     one-line text box
//   TMemo     multi-line text box
//   TListBox  list of lines; the window's holder of the script lines
#pragma once

#include "Control.h"
#include "LineHolder.h"

namespace toolkit {

class TLabel : public TControl {
public:
    void SetCaption(const std::string& text) override;
    void SetProperty(const layout::Property& property, LoadContext& context) override;
    void CreateHandle() override;

private:
    // Fits the label to its text, as drawn in the form's font.
    void FitToText();
    bool autoSize_ = true;
};

class TButton : public TControl {
public:
    bool HandleCommand(WORD code) override;
    bool AcceptsAccelerator() const override;
    void CreateHandle() override;

protected:
    bool TakesFocus() const override { return true; }
};

// The text boxes share everything but their style.
class TCustomEdit : public TControl {
public:
    void CreateHandle() override;

protected:
    explicit TCustomEdit(DWORD style) : style_(style) {}
    bool TakesFocus() const override { return true; }

private:
    DWORD style_;
};

class TEdit : public TCustomEdit {
public:
    TEdit();
    // Tabbing into a one-line box selects its text, so that typing replaces it.
    void EnteredByKeyboard() override;
};

class TMemo : public TCustomEdit {
public:
    TMemo();
};

class TListBox : public TControl, public LineHolder {
public:
    void CreateHandle() override;
    int Count() const override;
    std::string Line(int index) const;
    void Replace(int index, const std::string& text) override;
    void Append(const std::string& text) override;

protected:
    bool TakesFocus() const override { return true; }
};

}  // namespace toolkit
