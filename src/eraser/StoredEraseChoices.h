#pragma once
#include <string>
#include <vector>

#include "eraser/EraseChoices.h"
#include "platform/Registry.h"

namespace vandrel {

// The erase steps the stored settings switch on, for an erase that runs
// without the options dialog. A value of the wrong type leaves its step out
// and is named; a missing one takes the dialog's default.
struct StoredEraseChoices {
  EraseSelection selection;
  std::vector<std::string> wrongType;  // the values' names
};

// Throws PlatformError when the settings cannot be read at all.
StoredEraseChoices ReadStoredEraseChoices(Registry& registry);

// The steps that go through the browser's URL-cache library and its index
// files: while a browser window is open they are left out.
bool UsesUrlCache(const EraseSelection& selection);
EraseSelection WithoutUrlCache(EraseSelection selection);

}  // namespace vandrel
