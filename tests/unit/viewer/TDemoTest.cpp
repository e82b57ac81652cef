#include "viewer/TDemo.h"

#include <gtest/gtest.h>

#include <string>

#include "eraser/ErasePace.h"
#include "fakes/LiveIndex.h"
#include "fakes/OtherProcessLock.h"
#include "platform/PlatformError.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryShell.h"
#include "platform/memory/MemoryTraceFiles.h"
#include "platform/memory/MemoryTraceLook.h"
#include "platform/memory/MemoryUrlCache.h"
#include "platform/memory/MemoryWaitLoop.h"
#include "ui/memory/ScriptedPrompts.h"
#include "settings/SettingsKey.h"
#include "viewer/DumpLines.h"

namespace vandrel {
namespace {

const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kHistoryIndex = "C:\\H\\History.IE5\\index.dat";
const char* const kCacheIndex = "C:\\C\\Content.IE5\\index.dat";
const char* const kCookieIndex = "C:\\K\\index.dat";

std::string Bytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed * 7 + i / 97) & 0xff);
  return bytes;
}

std::string DumpOf(const std::string& bytes, std::size_t size) {
  return DumpLines(reinterpret_cast<const std::uint8_t*>(bytes.data()), size);
}

class TDemoTest : public ::testing::Test {
 protected:
  TDemoTest() {
    registry.WriteString(RootKey::CurrentUser, kShellFolders, "History", "C:\\H");
    registry.WriteString(RootKey::CurrentUser, kShellFolders, "Cache", "C:\\C");
    registry.WriteString(RootKey::CurrentUser, kShellFolders, "Cookies", "C:\\K");
    files.files[kHistoryIndex] = history;
    files.files[kCacheIndex] = cache;
    files.files[kCookieIndex] = cookies;
    demo.hourglass = [this](bool busy) { cursor += busy ? "+" : "-"; };
    waitLoop.step = TDemo::kPumpMilliseconds / 2;  // two format steps make the time for one pump
    demo.Demo1Click();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompts.Messages()) texts.push_back(shown.text);
    return texts;
  }

  std::string history = LiveIndex(Bytes(100000, 1)), cache = LiveIndex(Bytes(53, 2)), cookies = Bytes(0, 3);
  MemoryRegistry registry;
  MemoryFileSystem files;
  MemoryTraceFiles traceFiles;
  MemoryShell shell{traceFiles};
  MemoryUrlCache urlCache;
  MemoryWaitLoop waitLoop;
  ScriptedPrompts prompts;
  EraseGuard guard;
  TDemo demo{registry, files, traceFiles, shell, urlCache, waitLoop, prompts, guard};
  std::string cursor;
};

TEST_F(TDemoTest, ViewFillsEachMemoWithItsFilesDumpInBlocks) {
  EXPECT_FALSE(demo.EraseStuff.Enabled());
  int historyBlocks = 0;
  demo.Memo2.appended = [&] { ++historyBlocks; };
  demo.ToolButton1.Click();
  EXPECT_EQ(demo.Memo2.Text(), DumpOf(history, history.size()));
  EXPECT_EQ(demo.Memo3.Text(), DumpOf(cache, cache.size()));
  EXPECT_EQ(demo.Memo4.Text(), "");  // an empty file: no line, and the gauge is full
  EXPECT_EQ(demo.Gauge1.MaxValue(), 0u);
  EXPECT_TRUE(demo.Gauge1.Full());
  EXPECT_EQ(cursor, "+-+-+-");
  // 100,000 bytes: a handful of blocks and pumps, not one per line or byte.
  EXPECT_GE(historyBlocks, 3);
  EXPECT_LE(historyBlocks, 5);
  EXPECT_LE(waitLoop.dispatches, 3 + 6);  // one while each file is read
  EXPECT_TRUE(demo.EraseStuff.Enabled());
  EXPECT_TRUE(demo.ToolButton3.Enabled());
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(TDemoTest, StopEndsTheRunningDumpWithItsPartialLineAndTheNextFileStartsAfresh) {
  demo.Memo3.Append("old cache text");
  std::size_t stoppedAt = 0;
  waitLoop.onDispatch = [&] {
    if (demo.Target != DumpTarget::History || stoppedAt || demo.Memo2.Text().empty()) return;
    stoppedAt = demo.Gauge1.Progress() + 1;
    demo.SpeedButton1.Click();
  };
  demo.ToolButton1.Click();
  // Stopped at the first pump, after two format steps: not a whole line.
  ASSERT_EQ(stoppedAt, 2 * TDemo::kFormatStep);
  ASSERT_NE(stoppedAt % kDumpLineWidth, 0u);
  EXPECT_EQ(demo.Memo2.Text(), DumpOf(history, stoppedAt));
  EXPECT_EQ(demo.Memo3.Text(), DumpOf(cache, cache.size()));
  EXPECT_TRUE(demo.Gauge1.Full());
}

TEST_F(TDemoTest, StopWhileTheFileIsReadShowsNothingOfIt) {
  waitLoop.onDispatch = [this] {
    if (demo.Target == DumpTarget::History) demo.SpeedButton1.Click();
  };
  demo.ToolButton1.Click();
  EXPECT_EQ(demo.Memo2.Text(), "");
  EXPECT_EQ(demo.Memo3.Text(), DumpOf(cache, cache.size()));
}

// From the reading of the first file to the end of the last dump.
TEST_F(TDemoTest, WhileADumpRunsCloseEscAndASecondViewAreRefused) {
  int checked = 0;
  waitLoop.onDispatch = [&] {
    ++checked;
    EXPECT_FALSE(demo.FormCloseQuery());
    demo.Close();
    demo.Memo1KeyDown(kDemoExitKey);
    demo.ToolButton1.Click();
    demo.EraseStuff.Click();
    demo.Demo1Click();  // shown already: only brought to the front
    EXPECT_TRUE(demo.Form.Visible());
  };
  demo.ToolButton1.Click();
  EXPECT_GE(checked, 5);
  EXPECT_EQ(demo.Memo2.Text(), DumpOf(history, history.size()));
  EXPECT_TRUE(demo.Form.Visible());
  EXPECT_EQ(urlCache.extendedPatterns.size(), 0u);

  demo.Memo1KeyDown(kDemoExitKey);  // idle now: Exit demo
  EXPECT_FALSE(demo.Form.Visible());
  EXPECT_EQ(demo.Memo2.Text(), "");
  demo.Demo1Click();
  EXPECT_FALSE(demo.EraseStuff.Enabled());
  EXPECT_EQ(demo.Memo1.Text(), kDemoIntroduction);
}

TEST_F(TDemoTest, AMissingFolderValueOrFileIsToldAndTheNextFileIsShown) {
  registry.WriteString(RootKey::CurrentUser, kShellFolders, "History", "Error");
  files.files.erase(kCacheIndex);
  demo.ToolButton1.Click();
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"Error occured while trying to access registry information about History!",
                                      "Error occured while trying to access Cache index.dat files!"}));
  EXPECT_EQ(prompts.Messages()[0].kind, MessageKind::Plain);
  EXPECT_EQ(demo.Memo4.Text(), "");
  EXPECT_TRUE(demo.EraseStuff.Enabled());
}

TEST_F(TDemoTest, AnIndexFileThatCannotBeOpenedEndsViewWithItsError) {
  files.unreadable.insert(kCacheIndex);
  demo.Memo4.Append("cookies before");
  EXPECT_THROW(
      {
        try {
          demo.ToolButton1.Click();
        } catch (const PlatformError& error) {
          EXPECT_EQ(std::string(error.what()), std::string("Cannot open file ") + kCacheIndex);
          throw;
        }
      },
      PlatformError);
  EXPECT_EQ(demo.Memo4.Text(), "cookies before");
  EXPECT_TRUE(demo.DumpIdle);
  EXPECT_TRUE(demo.EraseStuff.Enabled());
  EXPECT_TRUE(demo.ToolButton3.Enabled());
  files.unreadable.clear();
  demo.ToolButton1.Click();  // not left refusing
  EXPECT_EQ(demo.Memo4.Text(), "");
}

TEST_F(TDemoTest, OnlyTheCheckedFilesAreShown) {
  demo.Memo2.Append("kept");
  demo.dHistory.SetChecked(false);
  demo.dCache.SetChecked(false);
  files.files[kCookieIndex] = "x";
  demo.ToolButton1.Click();
  EXPECT_EQ(demo.Memo2.Text(), "kept");
  EXPECT_EQ(demo.Memo4.Text(), "x" + std::string(25, ' ') + "\r\n");
}

TEST_F(TDemoTest, EraseWipesEachCheckedFileThreeTimesAndStopsAtOneThatCannotBeOpened) {
  traceFiles.AddFile(kHistoryIndex, history);
  traceFiles.AddFile(kCookieIndex, LiveIndex(std::string(13, 'c')));
  traceFiles.AddFile("C:\\K\\user@site.txt", "cookie");
  demo.dCache.SetChecked(false);
  demo.ToolButton1.Click();
  demo.EraseStuff.Click();
  const std::string wiped = std::string(kEmptyIndexHeader) + std::string(history.size() - kEmptyIndexHeaderSize, '\0');
  EXPECT_EQ(traceFiles.entries.at(kHistoryIndex).content, wiped);
  EXPECT_FALSE(traceFiles.Has("C:\\K\\user@site.txt"));
  EXPECT_EQ(urlCache.extendedPatterns.size(), 6u);  // three rounds of each checked file
  EXPECT_EQ(cursor.substr(cursor.size() - 2), "+-");

  traceFiles.AddFile("C:\\K\\again@site.txt", "cookie");
  traceFiles.AddFile(kCookieIndex, LiveIndex("again"));  // the library's, with the new cookie
  urlCache.extendedPatterns.clear();
  // An erase of the main window's or the tray's runs, or one of another
  // process (a Vandrel.exe Erase): this one is refused.
  OtherProcessLock otherProcess;
  guard.UseLock(&otherProcess);
  for (const bool elsewhere : {false, true}) {
    std::string told;
    guard.statusText = [&](const std::string& text) { told = text; };
    otherProcess.held = elsewhere;
    const auto held = elsewhere ? std::nullopt : guard.TryHold();
    demo.EraseStuff.Click();
    EXPECT_EQ(told, kEraseAlreadyRunning);
    EXPECT_TRUE(traceFiles.Has("C:\\K\\again@site.txt"));
  }
  otherProcess.held = false;
  traceFiles.heldOpen.insert(kHistoryIndex);
  EXPECT_THROW(demo.EraseStuff.Click(), PlatformError);
  // Every round's URL-cache deletes came before that first wipe, which
  // ended the erase: the cookie files were not reached. The history's
  // index, wiped by the first erase, was not handed to the library.
  EXPECT_EQ(urlCache.extendedPatterns, std::vector<UrlCachePattern>(3, "Cookie:"));
  EXPECT_TRUE(traceFiles.Has("C:\\K\\again@site.txt"));
  EXPECT_EQ(cursor.substr(cursor.size() - 2), "+-");
}

// The viewer's erase is an erase as the others are: the cookies the user
// keeps stay, its report is kept, and the end of the session stops it at
// once, the report kept then.
TEST_F(TDemoTest, TheErasesCookiesToKeepStayItsReportIsKeptAndTheSessionsEndStopsIt) {
  std::vector<bool> kept;  // messagesMayRun, for each report kept
  demo.OnEraseEnded([&](bool messagesMayRun) { kept.push_back(messagesMayRun); });
  registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, kCookiesToKeepValue, "bank.test");
  traceFiles.AddFile(kCookieIndex, LiveIndex("entries"));
  for (const char* host : {"bank.test", "ads.test"}) {
    const std::string file = std::string("C:\\K\\jo@") + host + ".txt";
    traceFiles.AddFile(file, "cookie");
    urlCache.Add("Cookie:jo@" + std::string(host) + "/", 0x100001, file);
  }
  demo.dHistory.SetChecked(false);
  demo.dCache.SetChecked(false);
  demo.ToolButton1.Click();
  demo.EraseStuff.Click();
  EXPECT_TRUE(traceFiles.Has("C:\\K\\jo@bank.test.txt"));
  EXPECT_FALSE(traceFiles.Has("C:\\K\\jo@ads.test.txt"));
  EXPECT_EQ(urlCache.Urls(), std::vector<std::string>{"Cookie:jo@bank.test/"});
  EXPECT_EQ(kept, std::vector<bool>{true});
  MemoryTraceLook look(traceFiles);
  const std::string report = ReportText(demo.Aftermath().Report(look));
  EXPECT_NE(report.find("1 cookie of 1 site: bank.test (1)"), std::string::npos) << report;

  // The session ends inside the URL-cache deletes, which pump within
  // kPumpEvery entries.
  traceFiles.AddFile("C:\\K\\jo@more.test.txt", "cookie");
  for (std::size_t i = 0; i < 2 * kPumpEvery; ++i)
    urlCache.Add("Cookie:jo@more" + std::to_string(i) + ".test/", 0x100001, "");
  int changesBefore = -1;
  waitLoop.onDispatch = [&] {
    guard.EndForSession();
    changesBefore = traceFiles.changesAsked;
    waitLoop.onDispatch = nullptr;
  };
  EXPECT_NO_THROW(demo.EraseStuff.Click());
  EXPECT_EQ(kept, (std::vector<bool>{true, false})) << "kept at the session's end, and not again";
  EXPECT_EQ(traceFiles.changesAsked, changesBefore) << "nothing is changed after the session's end";
  EXPECT_GT(urlCache.Urls().size(), kPumpEvery) << "nor asked of the library";
  EXPECT_TRUE(traceFiles.Has("C:\\K\\jo@more.test.txt"));
  EXPECT_NE(ReportText(demo.Aftermath().Report(look)).find(kEraseEndedEarly), std::string::npos);
}

TEST_F(TDemoTest, AQuitEndsTheDumpAndTheEraseAtTheirNextPump) {
  waitLoop.onDispatch = [this] { waitLoop.quitPosted = true; };
  EXPECT_NO_THROW(demo.ToolButton1.Click());
  EXPECT_LT(demo.Memo2.Text().size(), DumpOf(history, history.size()).size());
  EXPECT_TRUE(demo.Memo3.Text().empty()) << "the next file was not read";
  EXPECT_TRUE(demo.EraseStuff.Enabled());
  EXPECT_TRUE(demo.ToolButton3.Enabled());

  traceFiles.AddFile(kHistoryIndex, history);
  traceFiles.AddFile("C:\\H\\History.IE5\\MSHist01\\index.dat", history);
  traceFiles.AddFile("C:\\K\\user@site.txt", "cookie");
  EXPECT_NO_THROW(demo.EraseStuff.Click());
  EXPECT_TRUE(traceFiles.entries.at(kHistoryIndex).content == history) << "wiped after the quit";
  EXPECT_TRUE(traceFiles.Has("C:\\K\\user@site.txt"));
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(cursor.substr(cursor.size() - 2), "+-");
}

}  // namespace
}  // namespace vandrel
