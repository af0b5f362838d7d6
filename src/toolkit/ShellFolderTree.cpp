#include "ShellFolderTree.h"

#include "CommonControls.h"

#include <windowsx.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "ErrorGuard.h"
#include "Errors.h"

namespace toolkit {

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kIndent = 19;
// Command ids handed to the shell's context menu; 0 stays free for "nothing chosen".
constexpr UINT kFirstMenuCommand = 1;
constexpr UINT kLastMenuCommand = 0x7FFF;

// The tree whose left-button press is being handled by the tree view's own code. The tree
// view runs a loop of its own there that takes the button's release out of the queue; the
// message hook below watches that loop so that the release is not lost to the click event.
thread_local ShellFolderTree* t_pressing = nullptr;

// Owns one reference to a COM interface.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    void Reset() {
        if (ptr_) ptr_->Release();
        ptr_ = nullptr;
    }
    T** Out() {
        Reset();
        return &ptr_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

private:
    T* ptr_ = nullptr;
};

std::wstring Wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const wchar_t* text) {
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length - 1));
    return narrow;
}

std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST child, SHGDNF flags) {
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(child, flags, &name))) return std::string();
    char buffer[MAX_PATH * 2] = "";
    if (FAILED(StrRetToBufA(&name, child, buffer, sizeof buffer))) return std::string();
    return buffer;
}

SFGAOF Attributes(IShellFolder* folder, LPCITEMIDLIST child, SFGAOF wanted) {
    SFGAOF attributes = wanted;
    if (FAILED(folder->GetAttributesOf(1, &child, &attributes))) return 0;
    return attributes & wanted;
}

int IconIndex(LPCITEMIDLIST absolute, UINT extraFlags) {
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags);
    return info.iIcon;
}

// Shows the hourglass for as long as it lives.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// The shell may change the process's current folder while it carries out a command;
// the installer resolves its working files against that folder, so it is put back.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper() {
        char buffer[MAX_PATH * 2];
        DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
        if (length > 0 && length < sizeof buffer) saved_ = buffer;
    }
    ~CurrentFolderKeeper() {
        if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
    }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

private:
    std::string saved_;
};

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const std::string& text, int image, int selectedImage,
                     bool hasChildren, void* data) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.cChildren = hasChildren ? 1 : 0;
    insert.item.lParam = reinterpret_cast<LPARAM>(data);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

}  // namespace

ShellFolderTree::ShellFolderTree(HWND parent, int id, const RECT& bounds, const std::string& root) {
    comctl::Initialize();

    // Resolve the root before any window exists, so that a failure leaves nothing behind.
    Pidl rootId;
    {
        ComRef<IShellFolder> desktop;
        ITEMIDLIST* parsed = nullptr;
        std::wstring wideRoot = Wide(root);
        if (root.empty() || FAILED(SHGetDesktopFolder(desktop.Out())) ||
            FAILED(desktop->ParseDisplayName(nullptr, nullptr, wideRoot.data(), nullptr, &parsed, nullptr)) ||
            parsed == nullptr) {
            if (parsed) CoTaskMemFree(parsed);
            throw Exception("Error setting path: \"" + root + "\"");
        }
        rootId.reset(parsed);
    }
    std::string rootName;
    {
        ComRef<IShellFolder> rootParent;
        LPCITEMIDLIST last = nullptr;
        if (SUCCEEDED(SHBindToParent(rootId.get(), IID_IShellFolder, rootParent.OutVoid(), &last)))
            rootName = DisplayName(rootParent.Get(), last, SHGDN_NORMAL);
        if (rootName.empty()) rootName = root;
    }

    // Lines and buttons below the top node, none at the top level; names editable in
    // place; the selection shows only while the tree has the focus; no dragging.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_EDITLABELS |
                  TVS_DISABLEDRAGDROP;
    hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) throw Exception("Error creating the folder tree");

    try {
        comctl::AddSubclass(hwnd_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
        SendMessageA(hwnd_, TVM_SETINDENT, kIndent, 0);

        Node* top = AddNode(std::move(rootId), nullptr);
        HTREEITEM topItem = InsertItem(hwnd_, TVI_ROOT, rootName, I_IMAGECALLBACK, I_IMAGECALLBACK, true, top);
        // The top level is listed now; everything below waits for its first expansion.
        ListChildren(topItem);
        SendMessageA(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(topItem));
        SendMessageA(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(topItem));
    } catch (...) {
        comctl::RemoveSubclass(hwnd_, SubclassProc, kSubclassId);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
        throw;
    }
}

ShellFolderTree::~ShellFolderTree() {
    if (hwnd_) {
        HWND hwnd = hwnd_;
        comctl::RemoveSubclass(hwnd, SubclassProc, kSubclassId);
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

HWND ShellFolderTree::Handle() const { return hwnd_; }

std::string ShellFolderTree::Path() const {
    if (!hwnd_) return std::string();
    auto selected = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    return selected ? PathOf(selected) : std::string();
}

std::string ShellFolderTree::PathOf(HTREEITEM item) const {
    const Node* node = NodeOf(item);
    if (!node) return std::string();
    Pidl absolute = Absolute(*node);
    char buffer[MAX_PATH] = "";
    if (!absolute || !SHGetPathFromIDListA(absolute.get(), buffer)) return std::string();
    return buffer;
}

ShellFolderTree::Node* ShellFolderTree::NodeOf(HTREEITEM item) const {
    if (!hwnd_ || !item) return nullptr;
    TVITEMA query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    if (!SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
    auto* node = reinterpret_cast<Node*>(query.lParam);
    auto found = nodes_.find(node);
    return found == nodes_.end() ? nullptr : found->second.get();
}

ShellFolderTree::Pidl ShellFolderTree::Absolute(const Node& node) const {
    if (!node.parent) return Pidl(ILClone(node.id.get()));
    Pidl parent = Absolute(*node.parent);
    if (!parent) return Pidl();
    return Pidl(ILCombine(parent.get(), node.id.get()));
}

ShellFolderTree::Node* ShellFolderTree::AddNode(Pidl id, Node* parent) {
    auto node = std::make_unique<Node>();
    node->id = std::move(id);
    node->parent = parent;
    Node* raw = node.get();
    nodes_.emplace(raw, std::move(node));
    return raw;
}

void ShellFolderTree::SetHasChildren(HTREEITEM item, bool hasChildren) {
    TVITEMA change{};
    change.mask = TVIF_CHILDREN | TVIF_HANDLE;
    change.hItem = item;
    change.cChildren = hasChildren ? 1 : 0;
    SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void ShellFolderTree::ListChildren(HTREEITEM item) {
    Node* node = NodeOf(item);
    if (!node) return;
    node->listed = true;
    WaitCursor wait;

    bool found = false;
    Pidl absolute = Absolute(*node);
    ComRef<IShellFolder> desktop;
    ComRef<IShellFolder> folder;
    if (absolute && SUCCEEDED(SHGetDesktopFolder(desktop.Out()))) {
        if (ILIsEmpty(absolute.get()))
            desktop->QueryInterface(IID_IShellFolder, folder.OutVoid());
        else
            desktop->BindToObject(absolute.get(), nullptr, IID_IShellFolder, folder.OutVoid());
    }
    ComRef<IEnumIDList> listing;
    // Folders only: without SHCONTF_INCLUDEHIDDEN the shell leaves hidden ones out.
    if (folder && folder->EnumObjects(hwnd_, SHCONTF_FOLDERS, listing.Out()) == S_OK && listing) {
        std::vector<Pidl> children;
        ITEMIDLIST* child = nullptr;
        ULONG fetched = 0;
        while (listing->Next(1, &child, &fetched) == S_OK && child) {
            children.emplace_back(child);
            child = nullptr;
        }
        // The shell's own order of its items (column 0: by name, as its file views show them).
        IShellFolder* shellFolder = folder.Get();
        std::stable_sort(children.begin(), children.end(), [shellFolder](const Pidl& a, const Pidl& b) {
            HRESULT order = shellFolder->CompareIDs(0, a.get(), b.get());
            return SUCCEEDED(order) && static_cast<short>(HRESULT_CODE(order)) < 0;
        });
        for (Pidl& childId : children) {
            bool hasSubfolders = Attributes(shellFolder, childId.get(), SFGAO_HASSUBFOLDER) != 0;
            std::string name = DisplayName(shellFolder, childId.get(), SHGDN_INFOLDER);
            Node* childNode = AddNode(std::move(childId), node);
            // Icons are asked of the shell only for rows that are drawn: a lookup costs
            // milliseconds, and a big folder has thousands of rows never seen.
            InsertItem(hwnd_, item, name, I_IMAGECALLBACK, I_IMAGECALLBACK, hasSubfolders, childNode);
            found = true;
        }
    }
    if (!found) SetHasChildren(item, false);
}

void ShellFolderTree::ForgetSubtree(HTREEITEM item) {
    auto child = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    while (child) {
        ForgetSubtree(child);
        child = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    if (Node* node = NodeOf(item)) nodes_.erase(node);
}

void ShellFolderTree::RemoveChildren(HTREEITEM item) {
    auto child = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    while (child) {
        auto next = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
        ForgetSubtree(child);
        SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
        child = next;
    }
}

void ShellFolderTree::ProvideIcons(TVITEMA& item) const {
    if (!(item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE))) return;
    auto found = nodes_.find(reinterpret_cast<const Node*>(item.lParam));
    if (found == nodes_.end()) return;
    Pidl absolute = Absolute(*found->second);
    if (!absolute) return;
    if (item.mask & TVIF_IMAGE) item.iImage = IconIndex(absolute.get(), 0);
    if (item.mask & TVIF_SELECTEDIMAGE) item.iSelectedImage = IconIndex(absolute.get(), SHGFI_OPENICON);
    // The tree keeps what it was given and does not ask again.
    item.mask |= TVIF_DI_SETITEM;
}

bool ShellFolderTree::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (!hwnd_ || header.hwndFrom != hwnd_) return false;
    // The tree speaks ANSI or Unicode notifications as its parent asks; the two layouts
    // agree on every field read here except the edited text.
    switch (header.code) {
    case TVN_GETDISPINFOA:
    case TVN_GETDISPINFOW: {
        auto& item = const_cast<TVITEMA&>(reinterpret_cast<const NMTVDISPINFOA&>(header).item);
        ProvideIcons(item);
        result = 0;
        return true;
    }
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
        if (change.action & TVE_EXPAND) {
            Node* node = NodeOf(change.itemNew.hItem);
            if (node && !node->listed) ListChildren(change.itemNew.hItem);
        }
        result = FALSE;
        return true;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW: {
        const auto& edit = reinterpret_cast<const NMTVDISPINFOA&>(header);
        bool allowed = BeginEdit(edit.item.hItem);
        editing_ = allowed ? edit.item.hItem : nullptr;
        result = allowed ? FALSE : TRUE;
        return true;
    }
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW: {
        // The node's text is set here from the shell's new name, so the tree itself never
        // takes over the typed text.
        result = FALSE;
        const auto& edit = reinterpret_cast<const NMTVDISPINFOA&>(header);
        // One rename per edit: the editor losing the focus while it closes may report the
        // same end a second time.
        if (edit.item.hItem != editing_) return true;
        editing_ = nullptr;
        if (!edit.item.pszText) return true;  // editing cancelled
        std::string newName = header.code == TVN_ENDLABELEDITA
                                  ? std::string(edit.item.pszText)
                                  : Narrow(reinterpret_cast<const NMTVDISPINFOW&>(header).item.pszText);
        EndEdit(edit.item.hItem, newName);
        return true;
    }
    default:
        return false;
    }
}

bool ShellFolderTree::BeginEdit(HTREEITEM item) {
    Node* node = NodeOf(item);
    if (!node) return false;
    Pidl absolute = Absolute(*node);
    ComRef<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (!absolute || FAILED(SHBindToParent(absolute.get(), IID_IShellFolder, parent.OutVoid(), &last))) return false;
    return Attributes(parent.Get(), last, SFGAO_CANRENAME) != 0;
}

std::string ShellFolderTree::ItemText(HTREEITEM item) const {
    char text[MAX_PATH * 2] = "";
    TVITEMA query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

bool ShellFolderTree::EndEdit(HTREEITEM item, const std::string& newName) {
    Node* node = NodeOf(item);
    if (!node) return false;
    if (newName == ItemText(item)) return false;

    Pidl absolute = Absolute(*node);
    ComRef<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (!absolute || FAILED(SHBindToParent(absolute.get(), IID_IShellFolder, parent.OutVoid(), &last)))
        throw Exception("Rename to " + newName + " failed");
    std::wstring wideName = Wide(newName);
    ITEMIDLIST* renamed = nullptr;
    HRESULT outcome = parent->SetNameOf(hwnd_, last, wideName.c_str(), SHGDN_INFOLDER, &renamed);
    if (FAILED(outcome)) {
        if (renamed) CoTaskMemFree(renamed);
        throw Exception("Rename to " + newName + " failed");
    }
    if (!renamed) {
        // Some folders rename without handing back the new ID; ask for it by name.
        parent->ParseDisplayName(hwnd_, nullptr, wideName.data(), nullptr, &renamed, nullptr);
    }
    std::string shown = newName;
    if (renamed) {
        Pidl childId(renamed);
        shown = DisplayName(parent.Get(), childId.get(), node->parent ? SHGDN_INFOLDER : SHGDN_NORMAL);
        if (shown.empty()) shown = newName;
        if (node->parent) {
            node->id = std::move(childId);
        } else {
            // The top node keeps an absolute ID: its parent's part with the new last part.
            Pidl parentPart(ILClone(absolute.get()));
            if (parentPart && ILRemoveLastID(parentPart.get())) {
                Pidl combined(ILCombine(parentPart.get(), childId.get()));
                if (combined) node->id = std::move(combined);
            }
        }
    }
    TVITEMA change{};
    change.mask = TVIF_TEXT | TVIF_HANDLE;
    change.hItem = item;
    change.pszText = const_cast<char*>(shown.c_str());
    SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
    return true;
}

LRESULT CALLBACK ShellFolderTree::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR refData) {
    auto* self = reinterpret_cast<ShellFolderTree*>(refData);
    LRESULT result = 0;
    bool done = false;
    Guarded([&] { self->OnMessage(message, wParam, lParam, result, done); });
    return done ? result : comctl::DefaultSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ShellFolderTree::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && t_pressing) {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (message->message == WM_LBUTTONUP && message->hwnd == t_pressing->hwnd_) {
            t_pressing->upDuringPress_ = true;
            t_pressing->upPoint_ = {GET_X_LPARAM(message->lParam), GET_Y_LPARAM(message->lParam)};
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ShellFolderTree::AttachIconList() {
    if (iconListAttached_) return;
    iconListAttached_ = true;
    // The shell's own list of small icons; it belongs to the system and is never freed.
    SHFILEINFOA info{};
    auto images = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        "folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (images) SendMessageA(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

bool ShellFolderTree::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, bool& done) {
    switch (message) {
    case WM_PAINT:
        // The system's icon list takes long to build; a tree created hidden, as the
        // installer's is behind the language chooser, pays for it only when first drawn.
        AttachIconList();
        return false;
    case WM_LBUTTONDOWN:
        // Only a plain press starts a click. The second press of a double click arrives as
        // WM_LBUTTONDBLCLK and starts none, so a double click fires once, at its first release.
        LeftButtonDown(message, wParam, lParam, result, done);
        return true;
    case WM_LBUTTONUP:
        LeftButtonUp(lParam);
        return false;
    case WM_CAPTURECHANGED:
        if (press_ == Press::AwaitingUp && reinterpret_cast<HWND>(lParam) != hwnd_) press_ = Press::None;
        return false;
    case WM_RBUTTONDOWN:
        // Swallowed: a right click neither moves the selection nor counts as a click.
        done = true;
        result = 0;
        return true;
    case WM_RBUTTONUP: {
        done = true;
        result = 0;
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd_, &screen);
        SendMessageA(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(screen.x, screen.y));
        return true;
    }
    case WM_CONTEXTMENU:
        done = true;
        result = 0;
        ShowContextMenu(lParam);
        return true;
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        // Submenus of the shell's menu ("Send To", "New") are filled and drawn by the shell.
        if (openMenu_) {
            done = true;
            result = message == WM_INITMENUPOPUP ? 0 : TRUE;
            openMenu_->HandleMenuMsg(message, wParam, lParam);
            return true;
        }
        return false;
    case WM_NCDESTROY:
        // The parent went first and took the tree with it.
        comctl::RemoveSubclass(hwnd_, SubclassProc, kSubclassId);
        hwnd_ = nullptr;
        press_ = Press::None;
        return false;
    default:
        return false;
    }
}

void ShellFolderTree::LeftButtonDown(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, bool& done) {
    press_ = Press::Down;
    upDuringPress_ = false;
    HWND hwnd = hwnd_;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
    ShellFolderTree* outer = t_pressing;
    t_pressing = this;
    // The tree view selects, expands or collapses here, and may not return before the
    // button is released.
    result = comctl::DefaultSubclassProc(hwnd, message, wParam, lParam);
    done = true;
    t_pressing = outer;
    if (hook) UnhookWindowsHookEx(hook);

    if (!hwnd_ || press_ != Press::Down) return;
    if (upDuringPress_) {
        press_ = Press::None;
        RECT client;
        GetClientRect(hwnd_, &client);
        if (PtInRect(&client, upPoint_)) FireClick();
    } else {
        // Released later: keep the mouse so that a release outside the tree is seen too.
        press_ = Press::AwaitingUp;
        SetCapture(hwnd_);
    }
}

void ShellFolderTree::LeftButtonUp(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (press_ == Press::Down) {
        // The tree view's own loop dispatched the release while the press was handled.
        upDuringPress_ = true;
        upPoint_ = point;
        return;
    }
    if (press_ != Press::AwaitingUp) return;
    press_ = Press::None;
    if (GetCapture() == hwnd_) ReleaseCapture();
    RECT client;
    GetClientRect(hwnd_, &client);
    if (PtInRect(&client, point)) FireClick();
}

void ShellFolderTree::FireClick() {
    Guarded([&] {
        if (OnClick) OnClick();
    });
}

void ShellFolderTree::ShowContextMenu(LPARAM screenPoint) {
    auto selected = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    HTREEITEM item = nullptr;
    POINT screen{};
    if (screenPoint == -1) {
        // From the keyboard: the selected folder, the menu at its name.
        item = selected;
        if (!item) return;
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);  // the item goes in, its rectangle comes out
        SendMessageA(hwnd_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
        screen = {rect.left, rect.bottom};
        ClientToScreen(hwnd_, &screen);
    } else {
        screen = {GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
        TVHITTESTINFO hit{};
        hit.pt = screen;
        ScreenToClient(hwnd_, &hit.pt);
        item = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (!(hit.flags & TVHT_ONITEM)) item = selected;
    }
    if (item) RunMenu(item, screen);
}

void ShellFolderTree::RunMenu(HTREEITEM item, POINT screen) {
    CurrentFolderKeeper keepCurrentFolder;
    Node* node = NodeOf(item);
    if (!node) return;
    Pidl absolute = Absolute(*node);
    ComRef<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (!absolute || FAILED(SHBindToParent(absolute.get(), IID_IShellFolder, parent.OutVoid(), &last))) return;
    ComRef<IContextMenu> menu;
    if (FAILED(parent->GetUIObjectOf(hwnd_, 1, &last, IID_IContextMenu, nullptr, menu.OutVoid())) || !menu) return;

    HMENU popup = CreatePopupMenu();
    if (!popup) return;
    struct MenuOwner {
        HMENU menu;
        ~MenuOwner() { DestroyMenu(menu); }
    } ownPopup{popup};
    UINT flags = CMF_NORMAL | CMF_EXPLORE;
    if (Attributes(parent.Get(), last, SFGAO_CANRENAME)) flags |= CMF_CANRENAME;
    if (FAILED(menu->QueryContextMenu(popup, 0, kFirstMenuCommand, kLastMenuCommand, flags))) return;

    ComRef<IContextMenu2> menu2;
    menu->QueryInterface(IID_IContextMenu2, menu2.OutVoid());
    openMenu_ = menu2.Get();
    UINT command = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr));
    openMenu_ = nullptr;
    if (command < kFirstMenuCommand || !hwnd_) return;

    UINT offset = command - kFirstMenuCommand;
    char verb[64] = "";
    if (FAILED(menu->GetCommandString(offset, GCS_VERBA, nullptr, verb, sizeof verb))) verb[0] = '\0';
    if (lstrcmpiA(verb, "rename") == 0) {
        SetFocus(hwnd_);
        SendMessageA(hwnd_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
        return;
    }

    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.hwnd = hwnd_;
    invoke.lpVerb = MAKEINTRESOURCEA(offset);
    invoke.nShow = SW_SHOWNORMAL;
    if (FAILED(menu->InvokeCommand(&invoke)) || !hwnd_) return;

    if (lstrcmpiA(verb, "delete") == 0) {
        // A delete the user called off in the shell's own confirmation leaves the folder.
        std::string path = PathOf(item);
        if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            ForgetSubtree(item);
            SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
        }
    } else if (lstrcmpiA(verb, "paste") == 0) {
        RemoveChildren(item);
        SetHasChildren(item, true);
        ListChildren(item);
    }
}

}  // namespace toolkit
