// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_FILNOR 1
#define IDB_BANNER 101
#define IDR_SKIN_ENGINE 201
#define IDR_SKIN_FILE 202
