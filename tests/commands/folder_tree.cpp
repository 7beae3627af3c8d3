// Folder trees and the row check of the button tests (see folder_tree.h).
#include "tests/commands/folder_tree.h"

#include <algorithm>
#include <map>
#include <set>

#include "tests/support/test_support.h"

namespace commands_test {

namespace {

std::string Join(const std::string& root, const std::string& relative) {
    return relative.empty() ? root : root + "\\" + relative;
}

// Creates every folder on the way to root\relative.
bool MakeFolders(const std::string& root, const std::string& relative) {
    if (relative.empty()) return true;
    size_t pos = 0;
    for (;;) {
        // Cut at separator bytes: the test trees' folder names hold no
        // double-byte character whose second byte is "\".
        size_t cut = relative.find('\\', pos);
        std::string part = relative.substr(0, cut);
        const std::string full = Join(root, part);
        if (!CreateDirectoryA(full.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
        if (cut == std::string::npos) return true;
        pos = cut + 1;
    }
}

bool Below(const std::string& folder, const std::string& ancestor) {
    if (ancestor.empty() || folder == ancestor) return true;
    return folder.size() > ancestor.size() && folder.compare(0, ancestor.size(), ancestor) == 0 &&
           folder[ancestor.size()] == '\\';
}

}  // namespace

bool MakeTree(const FolderTree& tree, const std::vector<std::string>& emptyFolders) {
    for (const std::string& folder : emptyFolders) {
        if (!MakeFolders(tree.root, folder)) return false;
    }
    for (const TreeFile& f : tree.files) {
        if (!MakeFolders(tree.root, f.folder)) return false;
        if (!testing_support::WriteBytes(Join(tree.root, f.folder) + "\\" + f.name, "filnor")) {
            return false;
        }
    }
    return true;
}

FolderTree WideTree(const std::string& root, int folders, int filesPerFolder) {
    FolderTree tree{root, {}};
    for (int d = 0; d < folders; ++d) {
        // Every fourth folder lies one level deeper, inside the one before it.
        std::string folder = "目录" + std::to_string(d - d % 4);
        if (d % 4) folder += "\\子" + std::to_string(d);
        for (int f = 0; f < filesPerFolder; ++f) {
            tree.files.push_back({folder, "文件" + std::to_string(f) + ".dat"});
        }
    }
    return tree;
}

std::vector<ResultRow> ListRows(HWND list) {
    std::vector<ResultRow> rows;
    const int count = RowCount(list);
    for (int i = 0; i < count; ++i) {
        rows.push_back({GetCellText(list, i, 0), GetCellText(list, i, 1), GetCellText(list, i, 2)});
    }
    return rows;
}

::testing::AssertionResult RowsMatchTree(const std::vector<ResultRow>& rows,
                                         const FolderTree& tree) {
    if (rows.size() != tree.files.size()) {
        return ::testing::AssertionFailure()
               << rows.size() << " rows for " << tree.files.size() << " files";
    }
    // Full path -> the file's relative folder, for every file of the tree.
    std::map<std::string, std::string> expected;
    for (const TreeFile& f : tree.files) {
        expected[Join(tree.root, f.folder) + "\\" + f.name] = f.folder;
    }
    std::set<std::string> seen;
    std::vector<std::string> folderOfRow;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ResultRow& r = rows[i];
        if (r.number != std::to_string(i + 1)) {
            return ::testing::AssertionFailure() << "row " << i << " numbered " << r.number;
        }
        auto it = expected.find(r.path);
        if (it == expected.end()) {
            return ::testing::AssertionFailure() << "row " << i << " path not in tree: " << r.path;
        }
        if (Join(tree.root, it->second) + "\\" + r.name != r.path) {
            return ::testing::AssertionFailure()
                   << "row " << i << " name " << r.name << " does not end " << r.path;
        }
        if (!seen.insert(r.path).second) {
            return ::testing::AssertionFailure() << "row " << i << " repeats " << r.path;
        }
        folderOfRow.push_back(it->second);
    }
    // Walk order, for every folder that holds files or lies above one.
    std::set<std::string> folders;
    for (const TreeFile& f : tree.files) {
        for (size_t cut = f.folder.find('\\'); cut != std::string::npos;
             cut = f.folder.find('\\', cut + 1)) {
            folders.insert(f.folder.substr(0, cut));
        }
        folders.insert(f.folder);
        folders.insert("");
    }
    for (const std::string& folder : folders) {
        std::vector<size_t> inSubtree;
        for (size_t i = 0; i < folderOfRow.size(); ++i) {
            if (Below(folderOfRow[i], folder)) inSubtree.push_back(i);
        }
        if (inSubtree.empty()) continue;
        if (inSubtree.back() - inSubtree.front() + 1 != inSubtree.size()) {
            return ::testing::AssertionFailure()
                   << "the rows below \"" << folder << "\" are not contiguous";
        }
        bool stillOwnFiles = true;
        for (size_t i : inSubtree) {
            const bool own = folderOfRow[i] == folder;
            if (own && !stillOwnFiles) {
                return ::testing::AssertionFailure()
                       << "a file of \"" << folder << "\" comes after its subfolders' files";
            }
            stillOwnFiles = own;
        }
    }
    return ::testing::AssertionSuccess();
}

std::string NamesAsLines(const std::vector<ResultRow>& rows) {
    std::string text;
    for (const ResultRow& r : rows) text += r.name + "\r\n";
    return text;
}

}  // namespace commands_test
