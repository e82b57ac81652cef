#pragma once
// Resource identifiers of the options dialog's pictures.
#define IDI_OPTIONS_TEST 6200
// The Messenger page's state pictures, in the order of its image list.
#define IDI_MESSENGER_RUNNING 6201
#define IDI_MESSENGER_PAUSED 6202
#define IDI_MESSENGER_STOPPED 6203
#define IDI_MESSENGER_CHANGING 6204
#define IDI_MESSENGER_UNAVAILABLE 6205
#define IDB_MESSENGER_SIGNBOARD 6210
