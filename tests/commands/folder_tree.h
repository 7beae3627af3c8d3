// Real folder trees for the button tests, and the check that the result
// list holds exactly the files of such a tree, in walk order.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/result_list.h"

namespace commands_test {

// One file of a tree: the folder it lies in, relative to the tree's root
// ("" for the root itself, "a\b" below it), and its name.
struct TreeFile {
    std::string folder;
    std::string name;
};

struct FolderTree {
    std::string root;
    std::vector<TreeFile> files;
};

// Creates the files in the existing folder `root` (their folders created
// as needed) and the extra empty folders. Each file holds a few bytes.
bool MakeTree(const FolderTree& tree, const std::vector<std::string>& emptyFolders = {});

// A tree of `folders` folders in two levels with `filesPerFolder` files each.
FolderTree WideTree(const std::string& root, int folders, int filesPerFolder);

// Every row of the list, in row order.
std::vector<ResultRow> ListRows(HWND list);

// The rows are the tree's files, each once, numbered 1..N in row order, with
// 文件路径 the file's folder, "\" and its name; and they come in walk order:
// the rows of a folder's subtree are contiguous and begin with the folder's
// own files.
::testing::AssertionResult RowsMatchTree(const std::vector<ResultRow>& rows,
                                         const FolderTree& tree);

// The list file content the rows give: each 文件名 followed by "\r\n".
std::string NamesAsLines(const std::vector<ResultRow>& rows);

}  // namespace commands_test
