// Reads what a user of install.exe sees, for the end-to-end scripts, which drive the
// program with real X input and need two things that pixels cannot give them reliably:
//
//   window_probe texts <caption>   the controls of each visible top-level window with that
//                                  exact caption: "<class>\t<shown>\t<text>" per control,
//                                  shown = 1 when the control is visible and lies inside
//                                  the window's client area (the window hides much off-area)
//   window_probe tree <caption>    the folder tree of that window: first "view\t<l t r b>",
//                                  the tree's client area, then "item\t<l t r b>\t<text>\t<sel>"
//                                  for every item in display order (expanded branches
//                                  included, scrolled out or not), rectangles in the window's
//                                  client coordinates, sel = 1 for the selected item
//   window_probe message <number>  the system's message text for that error number, as is
//
// Exit status 2: no such window (or no tree in it). Tree items live in the other process's
// memory, so their texts and rectangles are fetched through a buffer allocated there.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND window) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The shown top-level windows with one caption, gathered by CollectShownWithCaption.
struct CaptionSearch {
    const std::string* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectShownWithCaption(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<CaptionSearch*>(data);
    if (IsWindowVisible(window) && TextOf(window) == *search->caption) search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return TRUE;
}

std::vector<HWND> VisibleTopLevelWindows(const std::string& caption) {
    CaptionSearch search{&caption, {}};
    EnumWindows(CollectShownWithCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Seen by the user: visible, and not placed outside the top-level window's client area.
bool Shown(HWND control, HWND topLevel) {
    RECT bounds, client = ClientRectOnScreen(topLevel), overlap;
    GetWindowRect(control, &bounds);
    return IsWindowVisible(control) && IntersectRect(&overlap, &bounds, &client);
}

int PrintTexts(const std::string& caption) {
    auto windows = VisibleTopLevelWindows(caption);
    for (HWND window : windows)
        for (HWND child : Descendants(window))
            std::printf("%s\t%d\t%s\n", ClassOf(child).c_str(), Shown(child, window) ? 1 : 0, TextOf(child).c_str());
    return windows.empty() ? 2 : 0;
}

// A block of memory inside the process that owns a window, for messages whose arguments
// are pointers.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    char* At(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    void Write(SIZE_T offset, const void* data, SIZE_T size) const {
        WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    void Read(SIZE_T offset, void* data, SIZE_T size) const {
        ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

void PrintRect(const char* kind, RECT rect) {
    std::printf("%s\t%ld %ld %ld %ld", kind, rect.left, rect.top, rect.right, rect.bottom);
}

int PrintTree(const std::string& caption) {
    auto windows = VisibleTopLevelWindows(caption);
    if (windows.empty()) return 2;
    HWND form = windows.front(), tree = nullptr;
    for (HWND child : Descendants(form))
        if (ClassOf(child) == WC_TREEVIEWA) tree = child;
    if (!tree) return 2;

    RECT view;
    GetClientRect(tree, &view);
    MapWindowPoints(tree, form, reinterpret_cast<POINT*>(&view), 2);
    PrintRect("view", view);
    std::printf("\n");

    constexpr SIZE_T textOffset = sizeof(TVITEMA), textSize = 520, rectOffset = textOffset + textSize;
    RemoteBuffer buffer(tree, rectOffset + sizeof(RECT));
    if (!buffer.Valid()) {
        std::fprintf(stderr, "window_probe: cannot reach the tree's process\n");
        return 3;
    }
    // Display order: from the root, each next item whose ancestors are all expanded.
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)))) {
        TVITEMA query{};
        query.mask = TVIF_TEXT | TVIF_STATE;
        query.hItem = item;
        query.stateMask = TVIS_SELECTED;
        query.pszText = buffer.At(textOffset);
        query.cchTextMax = textSize;
        buffer.Write(0, &query, sizeof query);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.At(0)));
        TVITEMA answer{};
        buffer.Read(0, &answer, sizeof answer);
        char text[textSize] = "";
        buffer.Read(textOffset, text, textSize - 1);

        // The item to measure goes in where the rectangle comes back.
        buffer.Write(rectOffset, &item, sizeof item);
        SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.At(rectOffset)));
        RECT rect;
        buffer.Read(rectOffset, &rect, sizeof rect);
        MapWindowPoints(tree, form, reinterpret_cast<POINT*>(&rect), 2);

        PrintRect("item", rect);
        std::printf("\t%s\t%d\n", text, (answer.state & TVIS_SELECTED) ? 1 : 0);
    }
    return 0;
}

int PrintSystemMessage(const char* number) {
    char text[1024] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  std::strtoul(number, nullptr, 10), 0, text, sizeof text, nullptr);
    std::fwrite(text, 1, length, stdout);
    return length ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "texts") == 0) return PrintTexts(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "tree") == 0) return PrintTree(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "message") == 0) return PrintSystemMessage(argv[2]);
    std::fprintf(stderr, "usage: window_probe texts|tree <window caption> | message <number>\n");
    return 1;
}
