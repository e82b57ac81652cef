#include "help/HelpCommands.h"

namespace vandrel {

void GoToUrl(Prompts& prompts, DocumentOpener& documents) {
  const std::optional<std::string> address = prompts.AddressPrompt(kGoToUrlMessage, kGoToUrlInitialText);
  if (!address || address->size() < kShortestAddressLength) return;
  documents.Open(*address, ShowCommand::Hide, true);
}

std::string HelpFilePath(const std::string& executablePath) {
  const std::size_t separator = executablePath.find_last_of("\\/:");
  const std::string folder = separator == std::string::npos ? "" : executablePath.substr(0, separator + 1);
  return folder + kHelpFileName;
}

void OpenHelp(SystemInfo& system, DocumentOpener& documents) {
  documents.Open(HelpFilePath(system.ExecutablePath()), ShowCommand::Normal, false);
}

}  // namespace vandrel
