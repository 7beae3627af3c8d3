// The web site and help buttons (see links.h).
#include "appearance/links.h"

#include "app/control_table.h"
#include "appearance/open_address.h"
#include "export/show_message.h"

std::string HelpText() {
    return std::string(kDescriptionText) + "\n" + kUsageText + "\n" + kSupportLine;
}

void OnWebSiteClicked() { OpenAddress(std::string(kWebSiteAddress)); }

void ShowHelp(HWND owner) {
    ShowMessage(HelpText(), MB_OK | MB_ICONINFORMATION, kHelpCaption, owner);
}
