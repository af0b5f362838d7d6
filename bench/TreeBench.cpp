// The folder tree's listing of a big folder against the least any program must do to
// show the same names: enumerate the folder and sort the names.
//
//   bench_tree <runs> <parent folder> <child name> [<child name> ...]
//
// For each child folder: `runs` times, alternately, (a) a ShellFolderTree rooted at the
// parent is created fresh, and the child's node is expanded until its subfolders are
// inserted and the visible part is painted; (b) FindFirstFileA/FindNextFileA list the
// child's subfolders and std::sort orders them with lstrcmpiA. Medians and their ratio
// are printed; past a minute of expansions in all, fewer runs are made. Before that, the
// first tree shows how deep its creation listed.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CommonControls.h"
#include "ErrorGuard.h"
#include "FolderTreeHost.h"
#include "ShellFolderTree.h"
#include "Stats.h"

namespace {

using toolkit::ShellFolderTree;

// The time the tree's expansions of one folder may take in all before runs stop early.
constexpr double kBudgetMs = 60000;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HTREEITEM Next(HWND tree, UINT how, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

int ChildCount(HWND tree, HTREEITEM item) {
    int count = 0;
    for (HTREEITEM child = Next(tree, TVGN_CHILD, item); child; child = Next(tree, TVGN_NEXT, child)) ++count;
    return count;
}

HTREEITEM FindChild(const ShellFolderTree& tree, HTREEITEM parent, const std::string& name) {
    HWND view = tree.Handle();
    for (HTREEITEM child = Next(view, TVGN_CHILD, parent); child; child = Next(view, TVGN_NEXT, child))
        if (lstrcmpiA(tree.ItemText(child).c_str(), name.c_str()) == 0) return child;
    return nullptr;
}

std::unique_ptr<ShellFolderTree> MakeTree(HWND host, const std::string& parent) {
    // The main window's tree size, at 96 dpi.
    RECT bounds{8, 24, 8 + 337, 24 + 89};
    auto tree = std::make_unique<ShellFolderTree>(host, 1, bounds, parent);
    folder_tree_host::Tree() = tree.get();
    return tree;
}

void DestroyTree(std::unique_ptr<ShellFolderTree>& tree) {
    folder_tree_host::Tree() = nullptr;
    tree.reset();
    Pump();
}

// Milliseconds for the tree to list and show one child folder's subfolders.
double ExpandMs(HWND host, const std::string& parent, const std::string& child, int expected) {
    auto tree = MakeTree(host, parent);
    HWND view = tree->Handle();
    Pump();
    HTREEITEM top = Next(view, TVGN_ROOT, nullptr);
    HTREEITEM item = FindChild(*tree, top, child);
    if (!item) {
        std::fprintf(stderr, "bench_tree: no node %s under %s\n", child.c_str(), parent.c_str());
        std::exit(1);
    }
    double start = bench::NowMs();
    SendMessageA(view, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    UpdateWindow(view);
    double elapsed = bench::NowMs() - start;
    int listed = ChildCount(view, item);
    if (listed != expected) {
        std::fprintf(stderr, "bench_tree: %s shows %d folders, expected %d\n", child.c_str(), listed, expected);
        std::exit(1);
    }
    DestroyTree(tree);
    return elapsed;
}

// The floor: the folder's subfolder names, read and put in order.
std::vector<std::string> RawListing(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            if (!lstrcmpA(found.cFileName, ".") || !lstrcmpA(found.cFileName, "..")) continue;
            names.emplace_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

double RawMs(const std::string& folder, size_t& count) {
    double start = bench::NowMs();
    count = RawListing(folder).size();
    return bench::NowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_tree <runs> <parent folder> <child> [<child> ...]\n");
        return 2;
    }
    int runs = std::atoi(argv[1]);
    std::string parent = argv[2];
    if (FAILED(OleInitialize(nullptr))) return 1;
    toolkit::comctl::Initialize();
    toolkit::SetErrorSink([](const std::exception& error) {
        std::fprintf(stderr, "bench_tree: %s\n", error.what());
        std::exit(1);
    });

    if (!folder_tree_host::HostClass()) return 1;
    DWORD style = WS_CAPTION | WS_BORDER | WS_SYSMENU | WS_VISIBLE;
    RECT frame{0, 0, 445, 151};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND host = CreateWindowExA(0, folder_tree_host::HostClass(), "Bench Tree", style, 111, 129, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!host) return 1;
    Pump();

    // What creating the tree listed: the root's subfolders are inserted; below them there
    // must be nothing until a node is expanded.
    {
        auto tree = MakeTree(host, parent);
        HWND view = tree->Handle();
        HTREEITEM top = Next(view, TVGN_ROOT, nullptr);
        int firstLevel = 0, below = 0;
        for (HTREEITEM child = Next(view, TVGN_CHILD, top); child; child = Next(view, TVGN_NEXT, child)) {
            ++firstLevel;
            below += ChildCount(view, child);
        }
        int levels = firstLevel == 0 ? 0 : (below == 0 ? 1 : 2);
        std::printf("# tree creation listed %d level%s (%d folders under the root, %d below them)\n", levels,
                    levels == 1 ? "" : "s", firstLevel, below);
        DestroyTree(tree);
    }

    for (int i = 3; i < argc; ++i) {
        std::string child = argv[i];
        std::string folder = parent + "\\" + child;
        size_t count = 0;
        // Not counted: the first pass reads the folder from disk into the caches.
        RawMs(folder, count);
        std::vector<double> treeTimes, rawTimes;
        double spentMs = 0;
        for (int run = 0; run < runs; ++run) {
            if (run % 2 == 0) {
                treeTimes.push_back(ExpandMs(host, parent, child, static_cast<int>(count)));
                rawTimes.push_back(RawMs(folder, count));
            } else {
                rawTimes.push_back(RawMs(folder, count));
                treeTimes.push_back(ExpandMs(host, parent, child, static_cast<int>(count)));
            }
            // A median guards against noise of a few percent; once expansions take whole
            // minutes, more runs add nothing but waiting.
            spentMs += treeTimes.back();
            if (spentMs > kBudgetMs && run + 1 < runs) {
                std::printf("# %s: stopped after %d run%s, past the %.0f s budget\n", child.c_str(), run + 1,
                            run == 0 ? "" : "s", kBudgetMs / 1000);
                break;
            }
        }
        double treeMs = bench::Median(treeTimes), rawMs = bench::Median(rawTimes);
        std::printf("# %s (%zu folders), median of %zu: tree expansion %.1f ms, enumeration and sort %.1f ms\n",
                    child.c_str(), count, treeTimes.size(), treeMs, rawMs);
        std::printf("tree-%s-ratio %.3f\n", child.c_str(), treeMs / rawMs);
    }
    DestroyWindow(host);
    OleUninitialize();
    return 0;
}
