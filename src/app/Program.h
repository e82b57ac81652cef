#pragma once
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "blocklist/TitlesStore.h"
#include "richmedia/TW42VideoBlocker.h"
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
        state(platform.system.UpperCasing(), platform.collation),
        live(state.settings),
        titles(platform.files, platform.system, prompts),
        mainWindow(platform, state, live, prompts),
        richMedia(platform.registry, state.settings, prompts) {
    mainWindow.Blocking.SetGlobalProfile(&richMedia.RadioGroup6);
  }

  // The block list's slot in the creation order, after the main window and
  // the rich-media window: the list is filled from its file.
  void BlockListCreated() { titles.LoadTitles(state.blockList); }

  // Every window exists: switch blocking on when the settings ask for it.
  void WindowsCreated() {
    if (state.settings.AutoStart) mainWindow.Start1Click();
  }

  // The message loop has ended, or the Windows session is ending (after
  // which nothing more runs): the block list is written to its file.
  void MessageLoopEnded() { titles.SaveTitlesClick(state.blockList); }

  Platform& platform;
  ProgramState state;
  RecordLiveSettings live;
  TitlesStore titles;
  TZAVOClass mainWindow;
  TW42VideoBlocker richMedia;
};

}  // namespace vandrel
