// The system folder browser, with the whole program modal to it.
#pragma once

#include <string>

// Shows the old-style folder browser with `prompt` above the tree (files
// listed too when `includeFiles` is set) and returns the file-system path of
// the confirmed item, or the empty text on cancel or for an item without a
// file-system path. Every top-level window of the calling thread is disabled
// while the browser is open and gets its former state back afterwards.
// The calling thread must have initialised OLE (OleInitialize).
std::string BrowseFolder(const std::string& prompt, bool includeFiles = false);
