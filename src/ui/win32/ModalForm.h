#pragma once
#include <windows.h>

#include <functional>

#include "ui/FormModel.h"
#include "ui/win32/ErrorBarrier.h"
#include "ui/win32/Window.h"

namespace vandrel {

// Runs the thread's messages for a window shown modally over `owner` until
// `shown` says it is gone: the owner is disabled meanwhile, dialog keys
// (Tab, Enter, Esc) work in the window, and a quit message ends the loop
// and is posted again for the loop outside. `ownKeys`, when given, sees each
// message first and returns true for a key it has handled itself.
void RunModalLoop(HWND window, HWND owner, const std::function<bool()>& shown,
                  const std::function<bool(const MSG&)>& ownKeys = {});

// Shows a form over a disabled `owner`, runs `onShow` (when given) behind
// the error barrier, then the modal loop until the form is hidden again.
void ShowFormModal(HWND window, FormModel& form, HWND owner, const ErrorReporter& report,
                   const std::function<void()>& onShow, const std::function<bool(const MSG&)>& ownKeys = {});

// Shows a form window and gives the focus to its first tab stop.
void ShowAndFocus(HWND window);

// Draws a form's caption and visibility on its window; a form shown
// modally over `modalOwner` enables the owner again before it hides, so
// that the owner gets the activation.
void DrawModalForm(HWND window, const FormModel& form, HWND modalOwner);

// Where a fixed-size secondary form goes: hidden, owned by `owner` (so it
// has no taskbar button and never falls behind it), with the outer size that
// `style` gives the client size (designed at 96 DPI), centred on the desktop
// and held to the work area: the window's layout fits what it gets.
WindowPlacement CentredOwnedPlacement(DWORD style, int clientWidth, int clientHeight, HWND owner,
                                      const char* title = "");

}  // namespace vandrel
