#include "settings/DeleteConfirmation.h"

#include "settings/SettingsStore.h"

namespace vandrel {

bool ConfirmDelete(Prompts& prompts, Settings& settings, Registry& registry, const std::string& question) {
  if (!settings.DeleteConfirm) return true;
  const SilenceableAnswer answer = prompts.SilenceableMessage(MessageKind::Confirmation, question, MessageButtons::YesNo);
  if (answer.answer != Answer::Yes) return false;
  if (answer.dontShowAgain) {
    settings.DeleteConfirm = false;
    StoreBoolSetting(registry, "DeleteConfirm", false);
  }
  return true;
}

}  // namespace vandrel
