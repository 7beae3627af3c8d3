// The maker's addresses, the texts that name them, and the two buttons that
// lead to the maker: the web site button and the help button.
#pragma once

#include <windows.h>

#include <string>

// The maker's web site, opened by the web site button; also the address
// OpenAddress opens when it is given none.
inline constexpr char kWebSiteAddress[] = "https://www.filnor.example";

// The support e-mail address and the support line shown in the status bar
// and in the help box (a full-width space, then 技术支持 and a full-width
// colon: 12 bytes in code page 936, then the address).
inline constexpr char kSupportAddress[] = "support@filnor.example";
inline constexpr char kSupportLine[] = "　技术支持：support@filnor.example";

// How to use the tool, the help box's second line.
inline constexpr char kUsageText[] =
    "使用方法：点击“浏览”选择文件夹，或在路径框中输入文件夹路径后点击“保存”，"
    "文件名列表将保存到桌面。";

// The help box's caption.
inline constexpr char kHelpCaption[] = "帮助";

// The help box's text: the tool's description, the usage line and the
// support line, one per line.
std::string HelpText();

// The web site button: opens the web site in the default browser.
void OnWebSiteClicked();

// The help button: shows the help text in a message box owned by `owner`
// (the main window), with the information icon, until the user closes it.
void ShowHelp(HWND owner);
