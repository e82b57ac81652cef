#pragma once
// The browser toolbar button's icons; the registry entries of the button
// name them by these numbers after the executable's path.
#define IDI_BROWSER_BUTTON_HOT 1000
#define IDI_BROWSER_BUTTON 1001
