#include "FileRunAction.h"

#include <windows.h>
#include <shellapi.h>

#include "Errors.h"
#include "LoadContext.h"
#include "SystemErrorText.h"

namespace toolkit {

void TFileRun::Update() { SetEnabled(browse_ || !fileName_.empty()); }

void TFileRun::ExecuteTarget() {
    auto orNull = [](const std::string& text) { return text.empty() ? nullptr : text.c_str(); };
    // No owner window: the script's console stands on its own and outlives the installer.
    HINSTANCE result = ShellExecuteA(nullptr, orNull(operation_), fileName_.c_str(), orNull(parameters_),
                                     orNull(directory_), showCommand_);
    auto code = reinterpret_cast<INT_PTR>(result);
    if (code <= 32) throw Exception(TrimmedSystemMessage(static_cast<platform::ErrorCode>(code)));
}

void TFileRun::SetProperty(const layout::Property& p, LoadContext& context) {
    if (p.name == "Operation")
        operation_ = StringValue(p);
    else if (p.name == "FileName")
        fileName_ = StringValue(p);
    else if (p.name == "Parameters")
        parameters_ = StringValue(p);
    else if (p.name == "Directory")
        directory_ = StringValue(p);
    else if (p.name == "ShowCmd")
        showCommand_ = IntValue(p);
    else if (p.name == "Browse")
        browse_ = BoolValue(p);
    else
        TAction::SetProperty(p, context);
}

}  // namespace toolkit
