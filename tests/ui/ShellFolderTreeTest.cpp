// The folder tree in a real top-level window, driven by real mouse and keyboard messages,
// over a scratch folder structure on drive C.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ErrorGuard.h"
#include "Errors.h"
#include "FolderTreeHost.h"
#include "ShellFolderTree.h"

namespace {

using toolkit::ShellFolderTree;

void Pump(DWORD milliseconds = 60) {
    DWORD end = GetTickCount() + milliseconds;
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class ShellFolderTreeTest : public testing::Test {
public:  // the case table below acts through the fixture
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        ASSERT_NE(folder_tree_host::HostClass(), nullptr);
        host_ = CreateWindowExA(0, folder_tree_host::HostClass(), "Folder tree test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 40, 420, 330, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
        SetForegroundWindow(host_);
        toolkit::SetErrorSink([this](const std::exception& error) { errors_.push_back(error.what()); });

        scratch_ = "C:\\tree-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
        // alpha\inner\deep, an empty beta (a file only), a-z, Zeta, a loose file and a hidden folder.
        for (const char* folder : {"", "\\alpha", "\\alpha\\inner", "\\alpha\\inner\\deep", "\\beta", "\\a-z",
                                   "\\Zeta", "\\hidden"})
            ASSERT_TRUE(CreateDirectoryA((scratch_ + folder).c_str(), nullptr)) << folder;
        for (const char* file : {"\\aaa-file.txt", "\\beta\\only-a-file.txt"}) {
            HANDLE handle = CreateFileA((scratch_ + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            ASSERT_NE(handle, INVALID_HANDLE_VALUE) << file;
            CloseHandle(handle);
        }
        ASSERT_TRUE(SetFileAttributesA((scratch_ + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(GetFileAttributesA((scratch_ + "\\hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    }

    void TearDown() override {
        folder_tree_host::Tree() = nullptr;
        tree_.reset();
        if (host_) DestroyWindow(host_);
        toolkit::SetErrorSink(nullptr);
        if (!scratch_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(scratch_, ignored);
        }
        OleUninitialize();
    }

    void MakeTree(const std::string& root) {
        folder_tree_host::Tree() = nullptr;
        tree_.reset();
        RECT bounds{8, 8, 8 + 337, 8 + 260};
        tree_ = std::make_unique<ShellFolderTree>(host_, 8, bounds, root);
        folder_tree_host::Tree() = tree_.get();
        tree_->OnClick = [this] { ++clicks_; };
        Pump();
    }

    HWND Tree() const { return tree_->Handle(); }

    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(Tree(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM Top() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }

    std::string Text(HTREEITEM item) const { return tree_->ItemText(item); }
    int ChildrenFlag(HTREEITEM item) const {
        TVITEMA query{};
        query.mask = TVIF_CHILDREN | TVIF_HANDLE;
        query.hItem = item;
        SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        return query.cChildren;
    }
    bool Expanded(HTREEITEM item) const {
        return SendMessageA(Tree(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED;
    }
    std::vector<std::string> ChildNames(HTREEITEM item) const {
        std::vector<std::string> names;
        for (HTREEITEM child = Next(item, TVGN_CHILD); child; child = Next(child, TVGN_NEXT))
            names.push_back(Text(child));
        return names;
    }
    HTREEITEM Child(HTREEITEM item, const std::string& name) const {
        for (HTREEITEM child = Next(item, TVGN_CHILD); child; child = Next(child, TVGN_NEXT))
            if (lstrcmpiA(Text(child).c_str(), name.c_str()) == 0) return child;
        return nullptr;
    }

    // Client points of an item's name and of its expand button, and of empty space.
    POINT NamePoint(HTREEITEM item) const {
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);  // the item goes in, its rectangle comes out
        EXPECT_TRUE(SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    POINT ButtonPoint(HTREEITEM item) const {
        POINT name = NamePoint(item);
        for (int x = 0; x < name.x; ++x) {
            TVHITTESTINFO hit{{x, name.y}, 0, nullptr};
            SendMessageA(Tree(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if ((hit.flags & TVHT_ONITEMBUTTON) && hit.hItem == item) return hit.pt;
        }
        ADD_FAILURE() << "no expand button on " << Text(item);
        return name;
    }
    POINT EmptyPoint() const {
        RECT client;
        GetClientRect(Tree(), &client);
        TVHITTESTINFO hit{{client.right / 2, client.bottom - 4}, 0, nullptr};
        SendMessageA(Tree(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        EXPECT_TRUE(hit.flags & TVHT_NOWHERE);
        return hit.pt;
    }

    void Post(UINT message, POINT point, WPARAM keys = 0) {
        PostMessageA(Tree(), message, keys, MAKELPARAM(point.x, point.y));
    }
    void LeftClick(POINT point) {
        Post(WM_MOUSEMOVE, point);
        Post(WM_LBUTTONDOWN, point, MK_LBUTTON);
        Post(WM_LBUTTONUP, point);
        Pump();
    }

    HWND host_ = nullptr;
    std::unique_ptr<ShellFolderTree> tree_;
    std::string scratch_;
    int clicks_ = 0;
    std::vector<std::string> errors_;
};

TEST_F(ShellFolderTreeTest, DriveRootIsOneExpandedSelectedTopNode) {
    MakeTree("C:\\");
    HTREEITEM top = Top();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(Next(top, TVGN_NEXT), nullptr) << "a single top-level node";

    SHFILEINFOA info{};
    ASSERT_TRUE(SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_DISPLAYNAME));
    EXPECT_EQ(Text(top), info.szDisplayName);
    EXPECT_NE(Text(top).find("C:"), std::string::npos) << Text(top);

    EXPECT_TRUE(Expanded(top));
    EXPECT_EQ(Selected(), top);
    EXPECT_EQ(tree_->Path(), "C:\\");
    std::string scratchName = scratch_.substr(3);
    EXPECT_NE(Child(top, scratchName), nullptr) << "the folders directly under C:\\ are listed";
    EXPECT_NE(Child(top, "windows"), nullptr);
    EXPECT_EQ(clicks_, 0) << "building the tree is no click";
}

TEST_F(ShellFolderTreeTest, ListsVisibleFoldersOnlyInTheShellsOrderAndLazily) {
    MakeTree(scratch_ + "\\");
    HTREEITEM top = Top();
    // No file, no hidden folder; in the shell's order, which ignores case and hyphens:
    // "a-z" after "alpha" and "Zeta" last, unlike a plain character order or the disk's.
    EXPECT_EQ(ChildNames(top), (std::vector<std::string>{"alpha", "a-z", "beta", "Zeta"}));

    // Below the top level nothing is listed before its first expansion; an expand button
    // is offered on the shell's word.
    HTREEITEM alpha = Child(top, "alpha");
    HTREEITEM beta = Child(top, "beta");
    ASSERT_TRUE(alpha && beta);
    EXPECT_TRUE(ChildNames(alpha).empty());
    EXPECT_EQ(ChildrenFlag(alpha), 1);

    // Expanding by its button lists the level, once: later changes on disk do not show.
    LeftClick(ButtonPoint(alpha));
    EXPECT_TRUE(Expanded(alpha));
    EXPECT_EQ(ChildNames(alpha), std::vector<std::string>{"inner"});
    HTREEITEM inner = Child(alpha, "inner");
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(ChildNames(inner).empty()) << "one level per expansion";
    ASSERT_TRUE(CreateDirectoryA((scratch_ + "\\alpha\\late").c_str(), nullptr));
    LeftClick(ButtonPoint(alpha));
    EXPECT_FALSE(Expanded(alpha));
    LeftClick(ButtonPoint(alpha));
    EXPECT_TRUE(Expanded(alpha));
    EXPECT_EQ(ChildNames(alpha), std::vector<std::string>{"inner"});

    // A folder without subfolders loses its button once it has been looked into.
    SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(beta));
    Pump();
    EXPECT_TRUE(ChildNames(beta).empty());
    EXPECT_EQ(ChildrenFlag(beta), 0);
}

TEST_F(ShellFolderTreeTest, PathIsTheSelectedFoldersFileSystemPath) {
    MakeTree(scratch_ + "\\");
    EXPECT_EQ(tree_->Path(), scratch_) << "no final backslash below a drive's root";

    HTREEITEM alpha = Child(Top(), "alpha");
    SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(alpha));
    HTREEITEM inner = Child(alpha, "inner");
    SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(inner));
    HTREEITEM deep = Child(inner, "deep");
    ASSERT_NE(deep, nullptr);
    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(deep));
    EXPECT_EQ(tree_->Path(), scratch_ + "\\alpha\\inner\\deep");

    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, 0);
    EXPECT_EQ(tree_->Path(), "");
}

// What each kind of pointer or key action does to the click event and the selection.
TEST_F(ShellFolderTreeTest, ClickEventFollowsCompletedLeftClicksOnly) {
    struct Case {
        const char* name;
        std::function<void(ShellFolderTreeTest&)> act;
        int clicks;
        const char* selectedAfter;  // "" for the top node
        const char* expandedAfter;  // a folder that must then be open, or nullptr
    };
    auto beta = [](ShellFolderTreeTest& t) { return t.NamePoint(t.Child(t.Top(), "beta")); };
    const Case cases[] = {
        {"left click on a folder", [&](ShellFolderTreeTest& t) { t.LeftClick(beta(t)); }, 1, "beta", nullptr},
        {"double click on a folder",
         [&](ShellFolderTreeTest& t) {
             POINT point = beta(t);
             t.Post(WM_LBUTTONDOWN, point, MK_LBUTTON);
             t.Post(WM_LBUTTONUP, point);
             t.Post(WM_LBUTTONDBLCLK, point, MK_LBUTTON);
             t.Post(WM_LBUTTONUP, point);
             Pump();
         },
         1, "beta", nullptr},
        {"click on an expand button",
         [](ShellFolderTreeTest& t) { t.LeftClick(t.ButtonPoint(t.Child(t.Top(), "alpha"))); }, 1, "", "alpha"},
        {"click on empty space", [](ShellFolderTreeTest& t) { t.LeftClick(t.EmptyPoint()); }, 1, "", nullptr},
        {"press on a folder, release outside the tree",
         [&](ShellFolderTreeTest& t) {
             t.Post(WM_LBUTTONDOWN, beta(t), MK_LBUTTON);
             RECT client;
             GetClientRect(t.Tree(), &client);
             t.Post(WM_LBUTTONUP, {client.right + 30, client.bottom + 30});
             Pump();
         },
         0, "beta", nullptr},
        {"arrow key", [](ShellFolderTreeTest& t) {
             SetFocus(t.Tree());
             PostMessageA(t.Tree(), WM_KEYDOWN, VK_DOWN, 1);
             PostMessageA(t.Tree(), WM_KEYUP, VK_DOWN, 0xC0000001);
             Pump();
         },
         0, "alpha", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeTree(scratch_ + "\\");
        clicks_ = 0;
        c.act(*this);
        EXPECT_EQ(clicks_, c.clicks);
        HTREEITEM expected = *c.selectedAfter ? Child(Top(), c.selectedAfter) : Top();
        EXPECT_EQ(Text(Selected()), Text(expected));
        if (c.expandedAfter) {
            EXPECT_TRUE(Expanded(Child(Top(), c.expandedAfter)));
        }
        EXPECT_TRUE(errors_.empty());
    }
}

// Looks for this thread's menu window (other test programs may share the desktop),
// counts the items of the menu on screen and closes it.
int g_menuItems = -1;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK CloseMenuSeen(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&menu));
    if (!menu) return;
    auto handle = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
    g_menuItems = handle ? GetMenuItemCount(handle) : 0;
    EndMenu();
}

// The right button opens the shell's menu of the folder and leaves selection and event alone.
TEST_F(ShellFolderTreeTest, RightClickOpensTheShellMenuWithoutSelectingOrClicking) {
    MakeTree(scratch_ + "\\");
    g_menuItems = -1;
    // The menu runs its own message loop; a timer in that loop looks at the menu and closes it.
    UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMenuSeen);
    HTREEITEM top = Top();
    POINT point = NamePoint(Child(top, "beta"));
    PostMessageA(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageA(Tree(), WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    Pump(400);
    KillTimer(nullptr, timer);

    EXPECT_GT(g_menuItems, 0) << "the shell's context menu came up";
    EXPECT_EQ(Selected(), top);
    EXPECT_EQ(clicks_, 0);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ShellFolderTreeTest, EditingANameRenamesTheFolderThroughTheShell) {
    MakeTree(scratch_ + "\\");
    HTREEITEM top = Top();
    auto edit = [&](HTREEITEM item, const char* name) {
        SetFocus(Tree());
        auto editor = reinterpret_cast<HWND>(SendMessageA(Tree(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)));
        ASSERT_NE(editor, nullptr) << "editing in place is allowed";
        SetWindowTextA(editor, name);
        SendMessageA(Tree(), TVM_ENDEDITLABELNOW, FALSE, 0);
        Pump();
    };

    HTREEITEM beta = Child(top, "beta");
    edit(beta, "beta renamed");
    EXPECT_TRUE(errors_.empty());
    EXPECT_TRUE(IsFolder(scratch_ + "\\beta renamed"));
    EXPECT_FALSE(IsFolder(scratch_ + "\\beta"));
    EXPECT_EQ(Text(beta), "beta renamed");
    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(beta));
    EXPECT_EQ(tree_->Path(), scratch_ + "\\beta renamed") << "the node now stands for the new name";

    // A name the shell refuses (taken by a sibling) is an error; folder and node keep the old name.
    HTREEITEM alpha = Child(top, "alpha");
    edit(alpha, "Zeta");
    EXPECT_EQ(errors_, std::vector<std::string>{"Rename to Zeta failed"});
    EXPECT_TRUE(IsFolder(scratch_ + "\\alpha"));
    EXPECT_EQ(Text(alpha), "alpha");

    // The second click on the selected folder's name starts the editing with the mouse.
    errors_.clear();
    LeftClick(NamePoint(alpha));
    ASSERT_EQ(Selected(), alpha);
    Pump(GetDoubleClickTime() + 100);
    LeftClick(NamePoint(alpha));
    Pump(GetDoubleClickTime() + 200);
    auto editor = reinterpret_cast<HWND>(SendMessageA(Tree(), TVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(editor, nullptr);
    SetWindowTextA(editor, "alpha 2");
    SendMessageA(Tree(), TVM_ENDEDITLABELNOW, FALSE, 0);
    Pump();
    EXPECT_TRUE(IsFolder(scratch_ + "\\alpha 2"));
    EXPECT_EQ(tree_->Path(), scratch_ + "\\alpha 2");
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ShellFolderTreeTest, UnresolvableRootIsAnErrorSettingPath) {
    try {
        ShellFolderTree tree(host_, 8, RECT{8, 8, 345, 97}, "Q:\\nonexistent\\");
        ADD_FAILURE() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Error setting path: \"Q:\\nonexistent\\\"");
    }
    EXPECT_EQ(GetWindow(host_, GW_CHILD), nullptr) << "no window is left behind";
}

}  // namespace
