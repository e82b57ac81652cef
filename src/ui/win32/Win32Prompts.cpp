#include "ui/win32/Win32Prompts.h"

#include <commdlg.h>

#include <algorithm>

#include "platform/win32/FunctionLookup.h"
#include "platform/win32/SystemLibrary.h"
#include "ui/win32/MessageStyle.h"
#include "ui/win32/PasswordBox.h"
#include "ui/win32/SilenceableBox.h"

namespace vandrel {
namespace {

constexpr DWORD kFileNameCapacity = 32768;

// "Text|*.dat|All|*.*" as the dialog wants it: NUL-separated, ended by two NULs.
std::string DialogFilter(const std::string& filter) {
  std::string result = filter;
  std::replace(result.begin(), result.end(), '|', '\0');
  return result + std::string(2, '\0');
}

// The dialog wants the extension without its dot; "*.dat" and ".dat" both give "dat".
std::string BareExtension(const std::string& extension) {
  const auto start = extension.find_first_not_of("*.");
  return start == std::string::npos ? std::string() : extension.substr(start);
}

std::optional<std::string> RunFileDialog(HWND owner, const FileDialogRequest& request, DWORD flags,
                                         FileDialogFunction run) {
  const std::string filter = DialogFilter(request.filter);
  const std::string extension = BareExtension(request.defaultExtension);
  std::string fileName = request.fileName;
  fileName.resize(std::max<std::size_t>(kFileNameCapacity, fileName.size() + 1), '\0');

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = static_cast<DWORD>(fileName.size());
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.Flags = flags | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (request.keepOutOfRecentDocuments) dialog.Flags |= OFN_DONTADDTORECENT;
  if (!run || !run(&dialog)) return std::nullopt;  // cancelled, or the dialog failed
  fileName.resize(fileName.find('\0'));
  return fileName;
}

}  // namespace

HWND Win32Prompts::Owner() const {
  if (!owner_) return nullptr;
  // A box owned by the main window would leave a shown dialog enabled
  // behind it, free to change what the box asks about.
  const HWND popup = GetLastActivePopup(owner_);
  if (popup && popup != owner_ && IsWindowVisible(popup) && IsWindowEnabled(popup)) return popup;
  return owner_;
}

Answer Win32Prompts::Message(MessageKind kind, const std::string& text, MessageButtons buttons) {
  const int command = MessageBoxA(Owner(), text.c_str(), kApplicationTitle, MessageBoxStyle(kind, buttons));
  return AnswerOf(command, buttons);
}

SilenceableAnswer Win32Prompts::SilenceableMessage(MessageKind kind, const std::string& text, MessageButtons buttons) {
  SilenceableBox box(kind, text, buttons);
  return box.Show(Owner());
}

FileDialogFunction Win32Prompts::CommonDialog(const char* name) {
  if (!commonDialogs_) commonDialogs_.reset(LoadSystemLibrary("comdlg32.dll"));
  return LookupFunction<FileDialogFunction>(commonDialogs_.get(), name);
}

std::optional<std::string> Win32Prompts::OpenFile(const FileDialogRequest& request) {
  // Whether the file exists is the caller's question, not the dialog's.
  return RunFileDialog(Owner(), request, 0, CommonDialog("GetOpenFileNameA"));
}

std::optional<std::string> Win32Prompts::SaveFile(const FileDialogRequest& request) {
  // The caller asks about overwriting in its own words.
  return RunFileDialog(Owner(), request, 0, CommonDialog("GetSaveFileNameA"));
}

std::optional<std::string> Win32Prompts::PasswordPrompt(const std::string& text) {
  PasswordBox box(text);
  return box.Show(Owner());
}

std::optional<std::string> Win32Prompts::AddressPrompt(const std::string& text, const std::string& initial) {
  PasswordBox box(text, {280, 180, 8, 116, 258, false, initial});
  return box.Show(Owner());
}

}  // namespace vandrel
