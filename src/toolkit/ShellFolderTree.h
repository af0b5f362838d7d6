// A tree of the folders below one root of the shell namespace, over a native tree view.
// Folders are listed lazily, one level at the first expansion of a node, with the shell's
// names, icons, sort order and context menu; names can be edited in place, which renames
// the folder through the shell. The tree does not watch the disk and starts no thread.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

namespace toolkit {

class ShellFolderTree {
public:
    // Creates a tree view child of `parent` with control id `id` at `bounds` (parent client
    // pixels), rooted at `root` (e.g. "C:\\"). Throws Exception("Error setting path: \"root\"")
    // when the root cannot be resolved in the shell namespace. After construction the single
    // top node (the shell's display name of the root) is expanded one level and selected.
    ShellFolderTree(HWND parent, int id, const RECT& bounds, const std::string& root);
    ~ShellFolderTree();
    ShellFolderTree(const ShellFolderTree&) = delete;
    ShellFolderTree& operator=(const ShellFolderTree&) = delete;

    HWND Handle() const;

    // Full file-system path of the selected folder: "C:\\" for a drive's root, "C:\\A\\B"
    // below it; "" when nothing is selected or the folder has no file-system path.
    std::string Path() const;

    // Fired once for each completed left click: pressed on the tree and released inside it,
    // on a folder, an expand button or empty space. The press selects a folder before the
    // event; a double click fires once in all. Right clicks and keyboard moves never fire.
    std::function<void()> OnClick;

    // The parent's window procedure forwards WM_NOTIFY messages whose hwndFrom is Handle().
    // Returns true when the notification was handled and `result` set. May throw (a rename
    // that the shell refuses); the parent's procedure runs it inside its error guard.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

    // The name that `item` shows.
    std::string ItemText(HTREEITEM item) const;

    // The file-system path of the folder that `item` stands for ("" when it has none).
    std::string PathOf(HTREEITEM item) const;

private:
    struct PidlFree {
        void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
    };
    using Pidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

    // One node per tree item. A node keeps only its own part of the item ID list, so that
    // renaming a folder needs no update of the nodes below it.
    struct Node {
        Pidl id;               // absolute for the top node, relative to the parent below it
        Node* parent = nullptr;
        bool listed = false;   // its subfolders have been asked of the shell
    };

    enum class Press { None, Down, AwaitingUp };

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR idSubclass, DWORD_PTR refData);
    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, bool& done);

    void LeftButtonDown(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, bool& done);
    void LeftButtonUp(LPARAM lParam);
    void FireClick();

    Node* NodeOf(HTREEITEM item) const;
    Pidl Absolute(const Node& node) const;
    // Gives the tree the shell's icon list, once, before it is first drawn.
    void AttachIconList();
    // Answers the tree's request for a row's icons, the first time the row is drawn.
    void ProvideIcons(TVITEMA& item) const;
    Node* AddNode(Pidl id, Node* parent);
    void ListChildren(HTREEITEM item);
    void RemoveChildren(HTREEITEM item);
    void ForgetSubtree(HTREEITEM item);
    void SetHasChildren(HTREEITEM item, bool hasChildren);

    void ShowContextMenu(LPARAM screenPoint);
    void RunMenu(HTREEITEM item, POINT screen);

    bool BeginEdit(HTREEITEM item);
    bool EndEdit(HTREEITEM item, const std::string& newName);

    HWND hwnd_ = nullptr;
    std::unordered_map<const Node*, std::unique_ptr<Node>> nodes_;
    bool iconListAttached_ = false;
    Press press_ = Press::None;
    bool upDuringPress_ = false;
    POINT upPoint_{};
    IContextMenu2* openMenu_ = nullptr;  // while the shell's menu is on screen
    HTREEITEM editing_ = nullptr;        // the item whose name is being edited
};

}  // namespace toolkit
