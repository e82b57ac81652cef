#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/win32/Binder.h"
#include "ui/win32/ControlKinds.h"

namespace vandrel {

// The control a reference names within `form`, made there (visible, in the
// dialog font) when the reference has a place, which is scaled from 96 DPI
// to the screen's. Throws std::logic_error for
// an id the form does not have: the view's table is wrong.
HWND ResolveControl(HWND form, const ControlRef& control, const ControlKind& kind);

std::string WindowText(HWND window);
// Sets the text only when it differs, so a caret or selection is not reset.
void SetTextIfChanged(HWND window, const std::string& text);
// Enabled and visible as the model says.
void DrawState(HWND window, const ControlModel& model);
// Refills a list or combo box through its reset and add messages.
void FillList(HWND list, UINT resetMessage, UINT addMessage, const std::vector<std::string>& items);

}  // namespace vandrel
