#include "ShellTreeView.h"

#include "Form.h"
#include "LoadContext.h"
#include "ShellFolderTree.h"

namespace toolkit {

TShellTreeView::TShellTreeView() = default;

TShellTreeView::~TShellTreeView() {
    // The tree's window belongs to the folder tree object, not to the control.
    if (tree_) {
        handle_ = nullptr;
        tree_.reset();
    }
}

std::string TShellTreeView::Path() const { return tree_ ? tree_->Path() : std::string(); }

void TShellTreeView::SetProperty(const layout::Property& p, LoadContext& context) {
    if (p.name == "Root")
        root_ = StringValue(p);
    else
        TControl::SetProperty(p, context);
}

void TShellTreeView::CreateHandle() {
    RECT bounds{Scale(left_), Scale(top_), Scale(left_ + width_), Scale(top_ + height_)};
    tree_ = std::make_unique<ShellFolderTree>(Parent()->Handle(), 0, bounds, root_);
    AttachHandle(tree_->Handle());
    ApplyFont();
    tree_->OnClick = [this] {
        if (OnClick) OnClick(this);
    };
    if (!visible_) ShowWindow(handle_, SW_HIDE);
}

bool TShellTreeView::HandleNotify(const NMHDR& header, LRESULT& result) { return tree_->HandleNotify(header, result); }

}  // namespace toolkit
