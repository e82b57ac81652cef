#include "ui/win32/MessageStyle.h"

#include <algorithm>

namespace vandrel {

UINT MessageBoxStyle(MessageKind kind, MessageButtons buttons) {
  UINT icon = MB_ICONINFORMATION;
  switch (kind) {
    case MessageKind::Information: icon = MB_ICONINFORMATION; break;
    case MessageKind::Warning: icon = MB_ICONWARNING; break;
    case MessageKind::Error: icon = MB_ICONERROR; break;
    case MessageKind::Confirmation: icon = MB_ICONQUESTION; break;
    case MessageKind::Plain: icon = 0; break;
  }
  UINT set = MB_OK;
  switch (buttons) {
    case MessageButtons::Ok: set = MB_OK; break;
    case MessageButtons::OkCancel: set = MB_OKCANCEL; break;
    case MessageButtons::YesNo: set = MB_YESNO; break;
    case MessageButtons::RetryCancel: set = MB_RETRYCANCEL; break;
  }
  return icon | set;
}

LPCSTR MessageIcon(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return IDI_WARNING;
    case MessageKind::Error: return IDI_ERROR;
    case MessageKind::Confirmation: return IDI_QUESTION;
    case MessageKind::Plain:  // never silenceable: shown as information there
    case MessageKind::Information: break;
  }
  return IDI_INFORMATION;
}

std::vector<MessageButton> MessageButtonsOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MessageButtons::YesNo: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MessageButtons::RetryCancel: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    case MessageButtons::Ok: break;
  }
  return {{IDOK, "OK"}};
}

int EscapeCommand(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return IDOK;
    case MessageButtons::YesNo: return IDNO;
    case MessageButtons::OkCancel:
    case MessageButtons::RetryCancel: break;
  }
  return IDCANCEL;
}

Answer AnswerOf(int command, MessageButtons buttons) {
  const auto set = MessageButtonsOf(buttons);
  const bool inSet =
      std::any_of(set.begin(), set.end(), [command](const MessageButton& b) { return b.command == command; });
  switch (inSet ? command : EscapeCommand(buttons)) {
    case IDCANCEL: return Answer::Cancel;
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case IDRETRY: return Answer::Retry;
    default: return Answer::Ok;
  }
}

}  // namespace vandrel
