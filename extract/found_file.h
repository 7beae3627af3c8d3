// One file found by the folder walk: its name and the folder it lies in.
#pragma once

#include <string>

struct FoundFile {
    std::string name;    // the entry's name as the enumeration reports it
    std::string folder;  // the folder path in which the entry was found
};
