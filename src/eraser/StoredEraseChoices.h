#pragma once
#include <string>
#include <vector>

#include "eraser/EraseChoices.h"
#include "platform/Registry.h"

namespace vandrel {

// The erase steps the stored settings switch on, for an erase that runs
// without the options dialog. A missing choice takes the dialog's default;
// one that is there but reads neither as "0" nor as "1" (of another type,
// "no", "0 ", ...) is named, since nobody is there to see what it meant.
struct StoredEraseChoices {
  EraseSelection selection;
  std::vector<std::string> unreadable;  // each: the value's name and why
};

// Throws PlatformError when the settings key is there but cannot be read.
StoredEraseChoices ReadStoredEraseChoices(Registry& registry);

// The steps that go through the browser's URL-cache library and its index
// files: while a browser window is open they are left out.
bool UsesUrlCache(const EraseSelection& selection);
EraseSelection WithoutUrlCache(EraseSelection selection);

}  // namespace vandrel
