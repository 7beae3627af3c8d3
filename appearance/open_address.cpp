// OpenAddress (see open_address.h).
#include "appearance/open_address.h"

#include <shellapi.h>

#include "appearance/links.h"

void OpenAddress(const std::optional<std::string>& address, const ShellOpen& shell) {
    const std::string& file = address ? *address : std::string(kWebSiteAddress);
    HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    shell(owner, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenAddress(const std::optional<std::string>& address) {
    OpenAddress(address, [](HWND owner, const char* verb, const char* file, const char* parameters,
                            const char* directory, int show) {
        ShellExecuteA(owner, verb, file, parameters, directory, show);  // result ignored
    });
}
