#pragma once
#include <string>
#include <vector>

#include "blocklist/TForm3.h"
#include "blocklist/TitleSuffix.h"
#include "platform/UpperCaseCollation.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemorySystemInfo.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {

// The block list dialog over in-memory doubles, for the dialog's tests.
struct DialogDoubles {
  // The texts of every message shown so far.
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& message : prompts.Messages()) texts.push_back(message.text);
    return texts;
  }

  MemoryDesktop desktop;
  MemoryRegistry registry;
  MemoryFileSystem files;
  MemorySystemInfo system;
  ScriptedPrompts prompts;
  Settings settings;
  std::string suffix = kDefaultTitleSuffix;
  UpperCaseCollation collation{system.UpperCasing()};
  BlockList list{system.UpperCasing(), collation};
  TitlesStore titles{files, system, prompts};
  TForm3 dialog{desktop, list, titles, prompts, registry, settings, suffix};
};

}  // namespace vandrel
