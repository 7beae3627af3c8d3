// The actions behind the main window's five buttons.
#pragma once

#include <memory>
#include <string>

#include "app/main_window_state.h"

void OnBrowseClicked(const std::shared_ptr<MainWindowState>& state);
void OnSaveClicked(const std::shared_ptr<MainWindowState>& state);
void OnClearClicked(const std::shared_ptr<MainWindowState>& state);
void OnHelpClicked(const std::shared_ptr<MainWindowState>& state);
void OnWebSiteClicked(const std::shared_ptr<MainWindowState>& state);

// Clears the list and walks `folder` into it, showing progress in status
// part 0. Returns false when the walk was stopped (cleared or window closed);
// the window is then not touched again.
bool RunExtraction(const std::shared_ptr<MainWindowState>& state, const std::string& folder);

// Status texts.
inline constexpr char kReadyText[] = "准备就绪";
