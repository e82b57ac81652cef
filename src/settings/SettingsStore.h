#pragma once
#include <string>

#include "platform/Registry.h"
#include "settings/Settings.h"

namespace vandrel {

// Reads the 27 values into the record, in the order of the settings table,
// each with its default. A value of the wrong type keeps its default and the
// load goes on; after all values were read, the first such value throws
// "Invalid data type for '<name>'".
void LoadSettings(Registry& registry, Settings& record);

// Writes all values from `values` (the options dialog's working copy, or the
// record itself while there is none). SoundFile is written only when
// SoundEnabled is on, so an unticked sound keeps the stored file name.
// A refused write throws "Failed to set data for '<name>'" and the values
// after it are not written.
void StoreSettings(Registry& registry, const Settings& values);

// The name of the value that stores a switch of the record, as the load
// reads it; empty for one the store does not keep.
std::string SettingValueName(bool Settings::*setting);

// The one value a single-value write changes (DeleteConfirm = "0", ...).
void StoreBoolSetting(Registry& registry, const char* name, bool value);

}  // namespace vandrel
