#pragma once
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "platform/Platform.h"
#include "settings/LiveSettings.h"
#include "ui/Prompts.h"

namespace vandrel {

// The composition root of a normal run: the shared state and the forms, in
// their creation order. A test builds a whole program in one line.
class Program {
 public:
  Program(Platform& platform, Prompts& prompts)
      : platform(platform),
        state(platform.system.UpperCasing()),
        live(state.settings),
        mainWindow(platform, state, live, prompts) {}

  // Every window exists: switch blocking on when the settings ask for it.
  void WindowsCreated() {
    if (state.settings.AutoStart) mainWindow.Start1Click();
  }

  // The message loop has ended, whatever ended it. The block list is
  // written to its file here once the block list has a store.
  void MessageLoopEnded() {}

  Platform& platform;
  ProgramState state;
  RecordLiveSettings live;
  TZAVOClass mainWindow;
};

}  // namespace vandrel
