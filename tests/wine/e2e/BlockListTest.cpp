// The real Vandrel.exe under Wine with a block list file beside it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "PopupHelper.h"
#include "RegistryReset.h"
#include "ScanTicks.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"
#include "WindowTaker.h"
#include "platform/ScopeExit.h"

namespace vandrel::test {
namespace {

PopupWindowSpec Frame(const std::string& page) {
  return {"IEFrame", page + " - Microsoft Internet Explorer", true, true, true};
}

class BlockListTest : public VandrelTest {};

TEST_F(BlockListTest, MatchingFramesAreClosedOncePerEntryAndTheFileIsWrittenBackSorted) {
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"zeta", "news", "Alpha", "daily"})));
  PopupHelper helper{Frame("Daily NEWS"), Frame("Weather"), Frame("alphabet soup")};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  // The window stays open, so every tick closes it again: twice per tick.
  ASSERT_TRUE(helper.WaitForCloses(0, 4));
  EXPECT_TRUE(helper.WaitForCloses(2, 2));
  EXPECT_EQ(helper.ClosesReceived(1), 0);
  ASSERT_TRUE(vandrel.Quit());
  EXPECT_EQ(ReadScrambledTitles(), (std::vector<std::string>{"Alpha", "daily", "news", "zeta"}));
}

TEST_F(BlockListTest, EntriesWithAColonOrDigitsLoadFromTheEscapedLayoutAndAreWrittenBackSo) {
  // The layout that keeps '0', '7' and ':': a marker line, then ESC 'Z', ESC 'S'
  // and ESC 'C' in their place.
  const std::string marker = "\x1B\x1B\x1BVandrel escaped titles\x1B\x1B\x1B";
  const std::string file = ScrambledTitles({marker,
                                            "Re\x1B"
                                            "C winner",
                                            "Top 1\x1B"
                                            "Z offers"});
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), file));
  PopupHelper helper{Frame("Re: winner"), Frame("Top 10 offers today"), Frame("Top 1 offers")};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(helper.WaitForCloses(0, 1));
  EXPECT_TRUE(helper.WaitForCloses(1, 1));
  EXPECT_EQ(helper.ClosesReceived(2), 0);
  ASSERT_TRUE(vandrel.Quit());
  EXPECT_EQ(ReadFileBytes(TitlesPath()), file);
}

// A page title of 300 characters puts the suffix beyond the first 255
// bytes of the frame's title: the title is read whole, so an entry in it is seen.
TEST_F(BlockListTest, AFrameWithALongPageTitleHoldingAnEntryIsClosed) {
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"news"})));
  PopupHelper helper{Frame(std::string(295, 'x') + " news"), Frame(std::string(300, 'y')), TickWitness(),
                     BarrierWindow()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(helper.WaitForCloses(0, 1));
  ASSERT_TRUE(WaitForScanTicks(helper, 2, 3, 2));
  EXPECT_EQ(helper.ClosesReceived(1), 0);
}

TEST_F(BlockListTest, WithoutAFileTheListIsEmptyAndAnEmptyFileIsWrittenAtExit) {
  PopupHelper helper{Frame("Anything"), TickWitness(), BarrierWindow()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(WaitForScanTicks(helper, 1, 2, 2));
  EXPECT_EQ(helper.ClosesReceived(0), 0);
  ASSERT_TRUE(vandrel.Quit());
  EXPECT_EQ(ReadFileBytes(TitlesPath()), std::string());
}

// Every window of the program's thread goes, unseen by its window
// procedures, as windows go with the desktop they live on; true once the
// main one is gone.
bool TakeWindowsOf(HWND mainWindow) {
  const HMODULE taker = LoadLibraryA(WindowsPathOf(VANDREL_WINDOW_TAKER).c_str());
  const ScopeExit freeTaker([taker] { FreeLibrary(taker); });
  const auto procedure =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(taker, kTakeWindowsProcedure)));
  if (!procedure) return false;
  const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, procedure, taker, GetWindowThreadProcessId(mainWindow, nullptr));
  const ScopeExit unhook([hook] { UnhookWindowsHookEx(hook); });
  return hook && PostMessageA(mainWindow, RegisterWindowMessageA(kTakeWindowsMessage), 0, 0) &&
         WaitUntil([mainWindow] { return !IsWindow(mainWindow); }, 5000);
}

TEST_F(BlockListTest, WithItsWindowsTakenAwayTheProgramEndsWritingTheFileAndAStartMadeMeanwhileRuns) {
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"zeta", "alpha"})));
  VandrelProcess vandrel;
  const HWND mainWindow = vandrel.WaitForMainWindow();
  ASSERT_NE(mainWindow, nullptr);
  ASSERT_TRUE(TakeWindowsOf(mainWindow));
  VandrelProcess next;
  // It looks for its main window every 2 s.
  EXPECT_TRUE(vandrel.process().Wait(5000));
  EXPECT_EQ(ReadScrambledTitles(), (std::vector<std::string>{"alpha", "zeta"}));
  EXPECT_NE(next.WaitForMainWindow(), nullptr);
}

TEST_F(BlockListTest, AHundredThousandEntriesLoadAndSaveQuickly) {
  std::vector<std::string> entries;
  for (int i = 0; i < 100000; ++i) {
    char entry[40];
    std::snprintf(entry, sizeof(entry), "blocked page number %06d", i);
    for (char* c = entry; *c; ++c) {
      if (*c >= '0' && *c <= '9') *c = static_cast<char>('a' + (*c - '0'));  // keep the plain layout
    }
    entries.push_back(entry);
  }
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles(entries)));
  PopupHelper helper{Frame("Offer: blocked page number abcdef")};
  const auto started = std::chrono::steady_clock::now();
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(helper.WaitForCloses(0, 1, 10000));
  const auto firstClose = std::chrono::steady_clock::now();
  ASSERT_TRUE(vandrel.Quit(20000));
  const auto ended = std::chrono::steady_clock::now();
  using ms = std::chrono::milliseconds;
  std::printf("100000 entries: start to first close %lld ms, quit to exit %lld ms\n",
              static_cast<long long>(std::chrono::duration_cast<ms>(firstClose - started).count()),
              static_cast<long long>(std::chrono::duration_cast<ms>(ended - firstClose).count()));
  EXPECT_EQ(ReadScrambledTitles().size(), 100000u);
}

// In a Japanese locale, code page 932 (the ctest entry wine.e2e.codepage932
// runs with LC_ALL=ja_JP.UTF-8, which Wine turns into code page 932 for every
// program the test starts). "ソフトウェアDL" holds the bytes of "AD" (the
// second byte of "ア", then "D") but no "ad" as text; "無料広告" holds "広告".
class CodePage932Test : public VandrelTest {};

TEST_F(CodePage932Test, AnEntryMatchesWholeCharactersOnlyAndTheFileKeepsItsBytes) {
  ASSERT_EQ(GetACP(), 932u) << "no Japanese locale: ja_JP.UTF-8 must be generated (scripts/setup)";
  const std::vector<std::string> entries = {"ad", "\x8D\x4C\x8D\x90"};
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles(entries)));
  PopupHelper helper{Frame("\x83\x5C\x83\x74\x83\x67\x83\x45\x83\x46\x83\x41"
                           "DL"),
                     Frame("\x96\xB3\x97\xBF\x8D\x4C\x8D\x90"), TickWitness(), BarrierWindow()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(helper.WaitForCloses(1, 1));
  ASSERT_TRUE(WaitForScanTicks(helper, 2, 3, 2));
  EXPECT_EQ(helper.ClosesReceived(0), 0);
  ASSERT_TRUE(vandrel.Quit());
  std::vector<std::string> written = ReadScrambledTitles();
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, entries);
}

}  // namespace
}  // namespace vandrel::test
