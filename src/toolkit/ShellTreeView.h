// The folder tree as a form control: the shell's folders under a root, with a click event
// and the selected folder's path.
#pragma once

#include <memory>

#include "Control.h"

namespace toolkit {

class ShellFolderTree;

class TShellTreeView : public TControl {
public:
    TShellTreeView();
    ~TShellTreeView() override;
    // The selected folder's full path; "" when none is selected.
    std::string Path() const;

    void SetProperty(const layout::Property& property, LoadContext& context) override;
    void CreateHandle() override;
    bool HandleNotify(const NMHDR& header, LRESULT& result) override;

protected:
    bool TakesFocus() const override { return true; }

private:
    std::unique_ptr<ShellFolderTree> tree_;
    std::string root_;
};

}  // namespace toolkit
