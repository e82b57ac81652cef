#pragma once
#include <windows.h>

#include <vector>

#include "ui/Prompts.h"

namespace vandrel {

// How the program's four kinds of message and four button sets look on
// Windows; shared by the plain message boxes and the silenceable box.

// The MessageBox flags of a kind (its icon) and a button set.
UINT MessageBoxStyle(MessageKind kind, MessageButtons buttons);
// The system icon of a kind (IDI_INFORMATION ...).
LPCSTR MessageIcon(MessageKind kind);

struct MessageButton {
  int command;  // IDOK, IDCANCEL, IDYES, IDNO, IDRETRY
  const char* caption;
};
// The buttons of a set in the order a message box shows them; the first is the default.
std::vector<MessageButton> MessageButtonsOf(MessageButtons buttons);
// The command that Esc or the close box stands for in a set.
int EscapeCommand(MessageButtons buttons);

// The answer a button's command gives; a command outside the set (a box
// that could not be shown) counts as Esc.
Answer AnswerOf(int command, MessageButtons buttons);

}  // namespace vandrel
