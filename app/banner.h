// The banner picture box: a borderless child that shows the banner bitmap
// at its natural size from its top-left corner on the button face colour.
#pragma once

#include <windows.h>

bool RegisterBannerClass(HINSTANCE instance);
