// The standard action that opens a file through the shell.
#pragma once

#include "Action.h"

namespace toolkit {

class TFileRun : public TAction {
public:
    void Update() override;
    void SetProperty(const layout::Property& property, LoadContext& context) override;

protected:
    // Opens the file with the shell's verb; raises the system's text when the shell refuses.
    void ExecuteTarget() override;

private:
    std::string operation_ = "open";
    std::string fileName_;
    std::string parameters_;
    std::string directory_;
    int showCommand_ = 1;  // SW_SHOWNORMAL
    bool browse_ = false;
};

}  // namespace toolkit
