#pragma once
#include <windows.h>

#include <functional>

#include "ui/FormModel.h"

namespace vandrel {

// Runs the thread's messages for a window shown modally over `owner` until
// `shown` says it is gone: the owner is disabled meanwhile, dialog keys
// (Tab, Enter, Esc) work in the window, and a quit message ends the loop
// and is posted again for the loop outside. `ownKeys`, when given, sees each
// message first and returns true for a key it has handled itself.
void RunModalLoop(HWND window, HWND owner, const std::function<bool()>& shown,
                  const std::function<bool(const MSG&)>& ownKeys = {});

// Shows a form window and gives the focus to its first tab stop.
void ShowAndFocus(HWND window);

// Draws a form's caption and visibility on its window; a form shown
// modally over `modalOwner` enables the owner again before it hides, so
// that the owner gets the activation.
void DrawModalForm(HWND window, const FormModel& form, HWND modalOwner);

}  // namespace vandrel
