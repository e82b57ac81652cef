#pragma once
// The notification-area icons, one per fill level of the window limit
// (0: no browser window open, 4: the limit reached); consecutive ids.
#define IDI_TRAY_LEVEL_0 200
#define IDI_TRAY_LEVEL_1 201
#define IDI_TRAY_LEVEL_2 202
#define IDI_TRAY_LEVEL_3 203
#define IDI_TRAY_LEVEL_4 204
#define IDI_TRAY_LEVEL_COUNT 5
