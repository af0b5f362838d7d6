#include "StandardClasses.h"

#include "Action.h"
#include "FileRunAction.h"
#include "FormLoader.h"
#include "StandardControls.h"
#include "ShellTreeView.h"
#include "Timer.h"

namespace toolkit {

namespace {
template <class T>
void Register(const char* className) {
    RegisterComponentClass(className, [] { return std::make_unique<T>(); });
}
}  // namespace

void RegisterStandardClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    Register<TLabel>("TLabel");
    Register<TButton>("TButton");
    Register<TEdit>("TEdit");
    Register<TMemo>("TMemo");
    Register<TListBox>("TListBox");
    Register<TShellTreeView>("TShellTreeView");
    Register<TTimer>("TTimer");
    Register<TActionList>("TActionList");
    Register<TAction>("TAction");
    Register<TFileRun>("TFileRun");
}

}  // namespace toolkit
