#pragma once
#include <optional>
#include <string>

namespace vandrel {

inline constexpr const char* kApplicationTitle = "Vandrel";
inline constexpr const char* kDontShowAgain = "Don't show me this again.";

// Plain: a box with no icon, only the text and its buttons.
enum class MessageKind { Information, Warning, Error, Confirmation, Plain };
enum class MessageButtons { Ok, OkCancel, YesNo, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct SilenceableAnswer {
  Answer answer;
  bool dontShowAgain;  // the box "Don't show me this again." was ticked
};

// What an open-file or save-file dialog offers.
struct FileDialogRequest {
  std::string title;                      // empty: the system's own
  std::string filter;                     // "Description|pattern|Description|pattern"
  std::string fileName;                   // the name proposed in the dialog
  std::string defaultExtension;           // added to a name typed without one (".dat" and "*.dat" alike)
  bool keepOutOfRecentDocuments = false;  // the chosen file is not added to the recent documents
};

// Every message box and question the program puts to the user. Views answer
// with real message boxes, tests from a script.
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) = 0;
  // The same box extended by the check box "Don't show me this again.".
  virtual SilenceableAnswer SilenceableMessage(MessageKind kind, const std::string& text, MessageButtons buttons) = 0;

  // The chosen file's path, or nothing when the user cancels. A Prompts
  // without file dialogs answers as if the user cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest&) { return std::nullopt; }
  virtual std::optional<std::string> SaveFile(const FileDialogRequest&) { return std::nullopt; }

  // A confirmation with OK and Cancel and a masked edit box: the typed text
  // on OK, nothing on Cancel or when the box is closed. A Prompts without
  // it answers as if the user cancelled.
  virtual std::optional<std::string> PasswordPrompt(const std::string&) { return std::nullopt; }

  // A confirmation with OK and Cancel and a plain edit box holding
  // `initial`, all selected: the text as typed on OK, nothing on Cancel or
  // when the box is closed. A Prompts without it answers as if the user
  // cancelled.
  virtual std::optional<std::string> AddressPrompt(const std::string&, const std::string&) { return std::nullopt; }

  // The application's error box: the text of a failed operation, titled
  // with the application's name.
  void ShowError(const std::string& text) { Message(MessageKind::Error, text, MessageButtons::Ok); }
};

}  // namespace vandrel
