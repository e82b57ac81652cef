#pragma once
#include <string>

#include "platform/Registry.h"
#include "settings/Settings.h"
#include "ui/Prompts.h"

namespace vandrel {

// The question before a delete from a list, asked while DeleteConfirm is on;
// "Don't show me this again." turns the setting off and stores it. True
// when the delete may go ahead.
bool ConfirmDelete(Prompts& prompts, Settings& settings, Registry& registry, const std::string& question);

}  // namespace vandrel
