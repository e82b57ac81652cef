// A quit met while the program works through a long erase (the
// uninstaller's, the end of the session) ends the erase at its next pump.
#include <gtest/gtest.h>

#include <string>

#include "app/Program.h"
#include "fakes/MemoryPlatform.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

TEST(ProgramQuitTest, AQuitMetInAnEraseEndsItAtTheNextPumpWithoutAnotherBox) {
  MemoryPlatform memory;
  ScriptedPrompts prompts;
  Program program(memory.platform, prompts);
  program.mainWindow.FormCreate(806, false);
  program.OptionsCreated();
  TForm2& options = program.optionsDialog;
  for (CheckBox* box : {&options.All, &options.eCache, &options.eCookies, &options.eHistory, &options.eBookmarks,
                        &options.eLocationBar, &options.eRecent, &options.eBin, &options.eMPlayer, &options.eRealOne}) {
    box->SetChecked(false);
  }
  options.eTempFolder.SetChecked(true);
  memory.shell.environment["Temp"] = "C:\\Temp";
  constexpr std::size_t kFiles = 1000;
  for (std::size_t file = 0; file < kFiles; ++file) memory.traceFiles.AddFile("C:\\Temp\\f" + std::to_string(file));
  MemoryWaitLoop& loop = memory.waitLoop;
  loop.onDispatch = [&] { loop.quitPosted = loop.dispatches == 2; };
  std::vector<bool> hourglass;
  program.showHourglass = [&](bool busy) { hourglass.push_back(busy); };
  prompts.Script(Answer::Ok);

  EXPECT_NO_THROW(program.mainWindow.EraseStuffClick());
  std::size_t left = 0;
  for (std::size_t file = 0; file < kFiles; ++file) {
    left += memory.traceFiles.Has("C:\\Temp\\f" + std::to_string(file));
  }
  EXPECT_LE(left, kFiles - kPumpEvery) << "the erase went as far as the pump that met the quit";
  EXPECT_GE(left, kFiles - 2 * kPumpEvery) << "and no further";
  ASSERT_EQ(prompts.Messages().size(), 1u) << prompts.Messages().back().text;
  EXPECT_EQ(prompts.Messages().front().text, kConfirmErase);
  EXPECT_EQ(hourglass, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace vandrel
