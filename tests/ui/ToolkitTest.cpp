// The toolkit's rules on small forms of the test's own: action links, the layout reader's
// refusals, label sizing and the idle step.
#include <windows.h>

#include <gtest/gtest.h>

#include "Action.h"
#include "Application.h"
#include "Form.h"
#include "StandardControls.h"

using namespace toolkit;

namespace {

// A form made from layout text given by the test, with two handlers to name.
class TestForm : public TForm {
public:
    explicit TestForm(const std::string& layoutText) {
        RegisterHandler("Clicked", [this](TComponent*) { ++clicks; });
        RegisterHandler("Executed", [this](TComponent*) { ++executions; });
        LoadFromText(layoutText);
    }
    int clicks = 0;
    int executions = 0;
};

std::string FormText(const std::string& body) {
    return "TTestForm F {\n  ClientSize: 200, 100\n  BorderStyle: bsSingle\n" + body + "}\n";
}

class ToolkitTest : public ::testing::Test {
protected:
    TApplication application;
};

}  // namespace

TEST_F(ToolkitTest, BoundControlTakesTheActionsCaptionOnlyWhenItHasNoneOfItsOwn) {
    TestForm form(FormText(
        "  TButton Own { Caption: \"Install\"\n Action: Run\n TabOrder: 0 }\n"
        "  TButton Empty { Action: Run\n TabOrder: 1 }\n"
        "  TButton NameLike { Caption: \"NameLike\"\n Action: Run\n TabOrder: 2 }\n"
        "  TActionList List {\n    TAction Run {\n      Caption: \"&Run...\"\n      OnExecute: Executed\n    }\n  }\n"));
    EXPECT_EQ(form.Find<TControl>("Own")->Caption(), "Install");
    EXPECT_EQ(form.Find<TControl>("Empty")->Caption(), "&Run...");
    EXPECT_EQ(form.Find<TControl>("NameLike")->Caption(), "&Run...");

    // A click on a bound control runs the action; the control follows the action's state.
    form.Find<TControl>("Own")->Click();
    EXPECT_EQ(form.executions, 1);
    form.Find<TAction>("Run")->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(form.Find<TControl>("Empty")->Handle()));
    form.Find<TControl>("Own")->Click();
    EXPECT_EQ(form.executions, 1);  // a disabled action does nothing
}

TEST_F(ToolkitTest, LayoutsNamingWhatDoesNotExistAreRefused) {
    const std::pair<std::string, std::string> cases[] = {
        {"  TWidget W { }\n", "Layout line 4: unknown class TWidget"},
        {"  TButton B { OnClick: Missing }\n", "Layout line 4: no handler named Missing"},
        {"  TButton B { Action: Missing }\n", "Layout line 4: no action named Missing"},
        {"  TButton B { Colour: 3 }\n", "Layout line 4: component B has no property Colour"},
        {"  TButton B { Caption: 3 }\n", "Layout line 4: wrong value for Caption"},
        {"  TButton B { }\n  TButton B { }\n", "Layout line 5: a second component named B"},
        {"  TAction A { }\n", "Layout line 4: F cannot hold A"},
    };
    for (const auto& [body, message] : cases) {
        try {
            TestForm form(FormText(body));
            ADD_FAILURE() << "accepted: " << body;
        } catch (const layout::LayoutError& e) {
            EXPECT_EQ(std::string(e.what()), message) << body;
        }
    }
}

TEST_F(ToolkitTest, LabelsFitTheirTextOrKeepTheirSizeAndClip) {
    TestForm form(FormText(
        "  TLabel Fitting { Caption: \"Short\"\n Position: 0, 0 }\n"
        "  TLabel Fixed { AutoSize: false\n Bounds: 0, 20, 50, 13 }\n"));
    auto width = [&](const char* name) {
        RECT r;
        GetWindowRect(form.Find<TControl>(name)->Handle(), &r);
        return r.right - r.left;
    };
    int shortWidth = width("Fitting");
    EXPECT_GT(shortWidth, 0);
    form.Find<TLabel>("Fitting")->SetCaption("A much longer caption than before");
    EXPECT_GT(width("Fitting"), shortWidth);
    form.Find<TLabel>("Fixed")->SetCaption("C:\\A very long folder path\\that does not fit\\at all");
    EXPECT_EQ(width("Fixed"), 50);
    EXPECT_EQ(form.Find<TLabel>("Fixed")->Caption(), "C:\\A very long folder path\\that does not fit\\at all");
}

TEST_F(ToolkitTest, AcceleratorLetterIsTheOneAfterASingleAmpersand) {
    TestForm form(FormText(
        "  TButton A { Caption: \"&Run...\" }\n  TButton B { Caption: \"Save &As...\" }\n"
        "  TButton C { Caption: \"Salt && &pepper\" }\n  TButton D { Caption: \"R && D\" }\n"));
    EXPECT_EQ(form.Find<TControl>("A")->AcceleratorLetter(), 'R');
    EXPECT_EQ(form.Find<TControl>("B")->AcceleratorLetter(), 'A');
    EXPECT_EQ(form.Find<TControl>("C")->AcceleratorLetter(), 'P');
    EXPECT_EQ(form.Find<TControl>("D")->AcceleratorLetter(), 0);
}
