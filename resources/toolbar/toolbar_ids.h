#pragma once
// The main window's toolbar image strips: eleven 32 x 32 images side by side.
#define IDB_TOOLBAR_COLD 300
#define IDB_TOOLBAR_HOT 301
