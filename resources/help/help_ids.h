#pragma once
// Resource identifiers of the tip of the day's pictures.
#define IDB_TIP_BULB 6300
#define IDB_TIP_TRAY_MENU 6301
