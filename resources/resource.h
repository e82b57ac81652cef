#pragma once
// Resource identifiers of Vandrel.exe.
#define IDI_APPLICATION_ICON 100
