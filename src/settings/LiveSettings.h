#pragma once
#include <optional>
#include <string>

#include "settings/Settings.h"

namespace vandrel {

// The working copy of the settings that some readers see before the record:
// the options dialog's controls once that dialog exists. The scan reads the
// sound from here, and the settings are stored from here.
class LiveSettings {
 public:
  virtual ~LiveSettings() = default;
  virtual bool SoundChecked() const = 0;
  virtual std::string SoundFileText() const = 0;
  virtual bool ExitOnCloseChecked() const = 0;
  // The scan raised the window limit: the limit control shows the new value.
  virtual void SetMaxWindows(int limit) = 0;
  // The interval chosen in the controls, when one is chosen.
  virtual std::optional<int> ChosenInterval() const = 0;
  // The values a store writes (DeleteConfirm, ExitConfirm and TimerInterval
  // are taken from the record by the store itself).
  virtual Settings ValuesToStore() const = 0;
};

// The working copy while there are no controls: the record itself.
class RecordLiveSettings : public LiveSettings {
 public:
  explicit RecordLiveSettings(Settings& record) : record_(record) {}
  bool SoundChecked() const override { return record_.SoundEnabled; }
  std::string SoundFileText() const override { return record_.SoundFile; }
  bool ExitOnCloseChecked() const override { return record_.ExitOnClose; }
  void SetMaxWindows(int) override {}  // the record already holds the new limit
  std::optional<int> ChosenInterval() const override { return std::nullopt; }
  Settings ValuesToStore() const override { return record_; }

 private:
  Settings& record_;
};

}  // namespace vandrel
