#include "ui/win32/Win32Prompts.h"

#include "ui/win32/MessageStyle.h"
#include "ui/win32/SilenceableBox.h"

namespace vandrel {

Answer Win32Prompts::Message(MessageKind kind, const std::string& text, MessageButtons buttons) {
  const int command = MessageBoxA(owner_, text.c_str(), kApplicationTitle, MessageBoxStyle(kind, buttons));
  return AnswerOf(command, buttons);
}

SilenceableAnswer Win32Prompts::SilenceableMessage(MessageKind kind, const std::string& text,
                                                   MessageButtons buttons) {
  SilenceableBox box(kind, text, buttons);
  return box.Show(owner_);
}

}  // namespace vandrel
