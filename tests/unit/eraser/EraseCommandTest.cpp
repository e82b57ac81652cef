#include "eraser/EraseCommand.h"
#include "app/LogOnErase.h"
#include "app/Program.h"
#include "monitor/WindowScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "eraser/BrowserTraces.h"
#include "eraser/CookiesToKeep.h"
#include "eraser/ErasePreview.h"
#include "eraser/KeptReport.h"
#include "eraser/OtherTraces.h"
#include "eraser/UnattendedErase.h"
#include "fakes/LiveIndex.h"
#include "fakes/MemoryPlatform.h"
#include "fakes/OtherProcessLock.h"
#include "settings/SettingsKey.h"
#include "platform/EraseRefusal.h"
#include "platform/PlatformError.h"
#include "platform/WaitLoop.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryShell.h"
#include "platform/memory/MemoryTraceFiles.h"
#include "platform/memory/MemoryTraceLook.h"
#include "platform/memory/MemoryUrlCache.h"
#include "platform/memory/MemoryWaitLoop.h"
#include "ui/memory/ScriptedPrompts.h"
#include "viewer/TDemo.h"

namespace vandrel {
namespace {

const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Records each enumeration with the number of messages shown before it, so
// tests can see where it ran among the folder routines.
class RecordingUrlCache : public UrlCacheEraser {
 public:
  explicit RecordingUrlCache(const ScriptedPrompts& prompts) : prompts_(prompts) {}
  void DeleteAllEntries(CacheSearch search, const std::function<void()>&, const CacheEntryKept&) override {
    calls.emplace_back(search, prompts_.Messages().size());
    if (onCall) onCall();
  }
  std::vector<std::pair<CacheSearch, std::size_t>> calls;
  std::function<void()> onCall;

 private:
  const ScriptedPrompts& prompts_;
};

class FixedChoices : public EraseChoices {
 public:
  EraseSelection Current() override { return selection; }
  EraseSelection selection;
};

class EraseCommandTest : public ::testing::Test {
 protected:
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompts.Messages()) texts.push_back(shown.text);
    return texts;
  }
  void SetShellFolder(const std::string& name, const std::string& folder) {
    registry.WriteString(RootKey::CurrentUser, kShellFolders, name, folder);
  }
  void ConfirmErase() { prompts.Script(Answer::Ok); }

  FixedChoices choices;
  MemoryDesktop desktop;
  MemoryRegistry registry;
  MemoryTraceFiles files;
  MemoryShell shell{files};
  ScriptedPrompts prompts;
  RecordingUrlCache urlCache{prompts};
  EraseGuard guard;
  std::vector<bool> hourglass;
  std::vector<std::string> status;
  int pumps = 0;
  std::function<void()> onPump;  // what the messages run at a pump do
  EraseCommand command{choices,
                       desktop,
                       registry,
                       files,
                       shell,
                       prompts,
                       urlCache,
                       guard,
                       EraseFeedback{[this](bool busy) { hourglass.push_back(busy); },
                                     [this](const std::string& text) { status.push_back(text); },
                                     [this] {
                                       ++pumps;
                                       if (onPump) onPump();
                                     }}};
};

TEST_F(EraseCommandTest, NothingChosenIsToldBeforeAnyBrowserCheck) {
  desktop.Open("Start", kBrowserFrameClass);
  command.EraseStuffClick();
  EXPECT_EQ(Texts(), std::vector<std::string>{kNothingSelected});
  EXPECT_TRUE(hourglass.empty());
}

TEST_F(EraseCommandTest, OpenBrowserAsksUntilClosedOrCancelled) {
  choices.selection.recycleBin = true;
  desktop.Open("hidden", kBrowserFrameClass, 0, false);  // does not count
  const WindowHandle browser = desktop.Open("Start - Browser", "xIEFrameSub");
  prompts.Script(Answer::Retry);
  prompts.Script(Answer::Cancel);
  command.EraseStuffClick();
  EXPECT_EQ(Texts(), (std::vector<std::string>{kCloseBrowsers, kCloseBrowsers}));
  EXPECT_EQ(shell.recycleBinsEmptied, 0);

  prompts.Script(Answer::Retry);
  prompts.WhileNextBoxIsUp([&] { desktop.Close(browser); });
  prompts.Script(Answer::Cancel);  // at the confirmation
  command.EraseStuffClick();
  EXPECT_EQ(Texts().size(), 4u);
  EXPECT_EQ(Texts().back(), kConfirmErase);
  EXPECT_EQ(shell.recycleBinsEmptied, 0);
  EXPECT_EQ(prompts.Unused(), 0u);
}

TEST_F(EraseCommandTest, AllRunsCookiesHistoryCacheThenPasswordsThenRecentThreeTimes) {
  choices.selection = {.cache = true, .cookies = true, .history = true, .all = true, .recent = true};
  registry.CreateKey(RootKey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW\\x");
  ConfirmErase();
  command.EraseStuffClick();
  std::vector<std::string> expected{kConfirmErase};
  for (int pass = 0; pass < kErasePasses; ++pass) {
    expected.insert(expected.end(),
                    {kCookieFolderMissing, kHistoryFolderMissing, kCacheFolderMissing, kRecentFolderMissing});
  }
  expected.push_back(kEraseCompleted);
  EXPECT_EQ(Texts(), expected);
  // No container's folder can be looked at: the library gets no call.
  EXPECT_TRUE(urlCache.calls.empty());
  EXPECT_FALSE(registry.KeyExists(RootKey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW"));
  EXPECT_EQ(hourglass, (std::vector<bool>{true, false, true, false, true, false, true, false}));
}

TEST_F(EraseCommandTest, WithoutAllEachBrowserTraceRunsWithItsOwnSearch) {
  choices.selection = {.cache = true, .cookies = true, .history = true};
  registry.CreateKey(RootKey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW");
  SetShellFolder("Cache", "C:\\P\\TIF");
  SetShellFolder("Cookies", "C:\\P\\Cookies");
  SetShellFolder("History", "C:\\P\\History");
  command.DeleteCacheEntries();
  command.Barsalka();
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(urlCache.calls, (std::vector<std::pair<CacheSearch, std::size_t>>{
                                {CacheSearch::Url, 0}, {CacheSearch::Cookies, 0}, {CacheSearch::History, 0}}));
  EXPECT_TRUE(registry.KeyExists(RootKey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW"));
}

TEST_F(EraseCommandTest, IndexFileThatCannotBeOpenedEndsTheErase) {
  choices.selection = {.cookies = true, .tempFolder = true};
  shell.environment["Temp"] = "C:\\Temp";
  files.AddFile("C:\\Temp\\a.tmp");
  SetShellFolder("Cookies", "C:\\Cookies");
  files.AddFile("C:\\Cookies\\index.dat", LiveIndex("old"));
  files.heldOpen.insert("C:\\Cookies\\index.dat");
  ConfirmErase();
  EXPECT_THROW(command.EraseStuffClick(), PlatformError);
  EXPECT_EQ(Texts(), std::vector<std::string>{kConfirmErase});
  // Every pass's URL-cache entries went before that first wipe: handed a
  // wiped index, the browser's library rebuilds the container and first
  // clears its folder, following the links in it.
  EXPECT_EQ(urlCache.calls.size(), 3u);
  EXPECT_TRUE(files.Has("C:\\Temp\\a.tmp"));
  EXPECT_EQ(hourglass, (std::vector<bool>{true, false, true, false}));

  // The failed erase leaves nothing behind that refuses the next one.
  files.heldOpen.clear();
  ConfirmErase();
  command.EraseStuffClick();
  EXPECT_EQ(Texts().back(), kEraseCompleted);
  EXPECT_FALSE(files.Has("C:\\Temp\\a.tmp"));
}

TEST_F(EraseCommandTest, SecondEraseWhileOneRunsIsRefusedAndCountsShow) {
  choices.selection.tempFolder = true;
  shell.environment["Temp"] = "C:\\Temp";
  files.AddFile("C:\\Temp\\a.tmp");
  files.AddFile("C:\\Temp\\sub\\b.tmp");
  prompts.WhileNextBoxIsUp([&] { command.EraseStuffClick(); });
  ConfirmErase();
  command.EraseStuffClick();
  EXPECT_EQ(Texts(), (std::vector<std::string>{kConfirmErase, kEraseCompleted}));
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(status.front(), kEraseAlreadyRunning);
  EXPECT_EQ(status.back(), "Erased: 3");  // two files and the subfolder
  EXPECT_GT(pumps, 0);

  // The other processes' lock is taken once the questions are answered: a
  // script's erase that ends while the box is up refuses nothing; a lock
  // that cannot be had refuses the erase in words; a browser window opened
  // while the box was up asks the questions again.
  OtherProcessLock lock;
  guard.UseLock(&lock);
  files.AddFile("C:\\Temp\\c.tmp");
  lock.held = true;
  prompts.WhileNextBoxIsUp([&] { lock.held = false; });
  ConfirmErase();
  command.EraseStuffClick();
  EXPECT_FALSE(files.Has("C:\\Temp\\c.tmp"));
  files.AddFile("C:\\Temp\\d.tmp");
  lock.unavailable = true;
  ConfirmErase();
  command.EraseStuffClick();
  EXPECT_EQ(status.back(), kEraseLockUnavailable);
  EXPECT_TRUE(files.Has("C:\\Temp\\d.tmp"));
  lock.unavailable = false;
  WindowHandle browser = 0;
  prompts.WhileNextBoxIsUp([&] { browser = desktop.Open("Start - Browser", kBrowserFrameClass); });
  ConfirmErase();
  prompts.WhileNextBoxIsUp([&] { desktop.Close(browser); });
  prompts.Script(Answer::Retry);
  ConfirmErase();
  const std::size_t before = Texts().size();
  command.EraseStuffClick();
  const std::vector<std::string> texts = Texts();
  EXPECT_EQ(std::vector<std::string>(texts.begin() + static_cast<std::ptrdiff_t>(before), texts.end()),
            (std::vector<std::string>{kConfirmErase, kCloseBrowsers, kConfirmErase, kEraseCompleted}));
  EXPECT_FALSE(files.Has("C:\\Temp\\d.tmp"));
  EXPECT_EQ(prompts.Unused(), 0u);
  EXPECT_FALSE(guard.Running());
}

// A folder of a thousand files: the count is redrawn now and then, not for
// every file, and is exact at the end; messages run now and then too.
TEST_F(EraseCommandTest, ALargeFolderShowsItsCountNowAndThenAndExactlyAtTheEnd) {
  choices.selection.tempFolder = true;
  shell.environment["Temp"] = "C:\\Temp";
  constexpr std::size_t kFiles = 1000;
  for (std::size_t file = 0; file < kFiles; ++file) files.AddFile("C:\\Temp\\f" + std::to_string(file));
  ConfirmErase();
  command.EraseStuffClick();
  EXPECT_EQ(status.back(), "Erased: 1000");
  EXPECT_EQ(status.front(), "Erased: 0 (Temp folder)");  // the step is named as it starts
  EXPECT_GE(status.size(), kFiles / kCountShownEvery);
  // and once more a pass: the step's name, and the count after it
  EXPECT_LE(status.size(), kFiles / kCountShownEvery + 2 * kErasePasses);
  EXPECT_GE(pumps, static_cast<int>(kFiles / kPumpEvery));
  EXPECT_LT(pumps, static_cast<int>(kFiles / 4));
}

TEST_F(EraseCommandTest, AQuitMetAtAPumpEndsTheEraseThereWithoutAnotherBox) {
  choices.selection.tempFolder = true;
  shell.environment["Temp"] = "C:\\Temp";
  for (int file = 0; file < 100; ++file) files.AddFile("C:\\Temp\\f" + std::to_string(file));
  onPump = [this] {
    if (pumps == 2) throw ProgramEnding();
  };
  ConfirmErase();
  EXPECT_NO_THROW(command.EraseStuffClick());
  EXPECT_TRUE(files.Has("C:\\Temp\\f99"));
  EXPECT_EQ(Texts(), std::vector<std::string>{kConfirmErase});
  EXPECT_EQ(hourglass, (std::vector<bool>{true, false, true, false}));  // the URL cache's, then the pass's
}

TEST_F(EraseCommandTest, WhatTheLastPassLeftIsToldOnceAndThePassesGoOn) {
  choices.selection = {.cache = true, .tempFolder = true};
  shell.environment["Temp"] = "C:\\Temp";
  files.AddFile("C:\\Temp\\held.tmp");
  files.heldOpen.insert("C:\\Temp\\held.tmp");
  files.AddFile("C:\\Temp\\a.tmp");
  SetShellFolder("Cache", "C:\\TIF");
  files.AddFile("C:\\TIF\\Content.IE5\\index.dat", LiveIndex("records"));
  files.AddFile("C:\\TIF\\Content.IE5\\AB12\\page.htm");
  ConfirmErase();
  command.EraseStuffClick();
  EXPECT_EQ(Texts(), (std::vector<std::string>{kConfirmErase, kEraseCompleted}));
  EXPECT_FALSE(files.Has("C:\\Temp\\a.tmp"));
  EXPECT_FALSE(files.Has("C:\\TIF\\Content.IE5\\AB12"));
  // Not three times over: only the last pass's count.
  EXPECT_EQ(status.back(), std::string("Erased: 3, left in place: 1") + kSeeTheReport);
  EXPECT_EQ(std::count_if(status.begin(), status.end(),
                          [](const std::string& text) { return text.find("left") != std::string::npos; }),
            1);
}

// What a step would take, or took and left, as the report lines show it.
using Line = std::tuple<std::string, PlaceFate, std::string, std::size_t, std::uint64_t, std::string>;
std::vector<Line> LinesOf(const EraseReport& report) {
  std::vector<Line> lines;
  for (const ReportEntry& e : report.entries) lines.emplace_back(e.step, e.fate, e.place, e.files, e.bytes, e.why);
  return lines;
}

// Temp with files, a link with a file behind it and a folder that cannot
// be read; Favorites on the user's profile; a cookie folder; typed URLs.
TEST_F(EraseCommandTest, APreviewListsEachStepsPlacesLinksAndRefusalsAndChangesNothing) {
  choices.selection = {.cookies = true, .favorites = true, .locationBar = true, .tempFolder = true, .recycleBin = true};
  shell.environment["Temp"] = "C:\\P\\Temp";
  files.AddFile("C:\\P\\Temp\\a.tmp", std::string(10, 'a'));
  files.AddFile("C:\\P\\Temp\\d\\b.tmp", std::string(20, 'b'));
  files.AddFile("C:\\P\\Temp\\desktop.ini", "kept");
  files.AddLink("C:\\P\\Temp\\elsewhere");
  files.AddFile("C:\\P\\Temp\\elsewhere\\canary", "behind the link");
  files.AddFile("C:\\P\\Temp\\locked\\c.tmp");
  SetShellFolder("Favorites", "C:\\Documents and Settings\\User");
  SetShellFolder("Cookies", "C:\\P\\Cookies");
  files.AddFile("C:\\P\\Cookies\\index.dat", LiveIndex(std::string(13, 'i')));
  const std::string typed = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
  registry.WriteString(RootKey::CurrentUser, typed, "url1", "http://x/");
  MemoryTraceLook look(files);
  look.unreadable.insert("C:\\P\\Temp\\locked");
  const auto filesBefore = files.entries.size();

  int walkPumps = 0;  // the walks let messages run between entries
  const EraseReport report = PreviewErase(choices.selection, registry, shell, look, [&] { ++walkPumps; });
  EXPECT_GE(walkPumps, 5);
  const std::vector<Line> expected{
      {"Cookies", PlaceFate::CacheEntries, "the URL cache's cookies", 0, 0, "through the browser's library"},
      {"Cookies", PlaceFate::Emptied, "C:\\P\\Cookies", 1, 40, ""},
      {"Cookies", PlaceFate::Wiped, "C:\\P\\Cookies\\index.dat", 0, 0, ""},
      {"Temp folder", PlaceFate::Emptied, "C:\\P\\Temp", 2, 30, ""},
      {"Temp folder", PlaceFate::RemovedLink, "C:\\P\\Temp\\elsewhere", 0, 0, kWhyLinkRemoved},
      {"Temp folder", PlaceFate::Stayed, "C:\\P\\Temp\\locked", 0, 0, kWhyUnreadable},
      {"Recycle bin", PlaceFate::ShellEmptied, "the recycle bin of every drive", 0, 0, ""},
      {"Location bar", PlaceFate::KeyDeleted, "HKEY_CURRENT_USER\\" + typed, 0, 0, ""},
      {"Favorites", PlaceFate::Refused, "C:\\Documents and Settings\\User", 0, 0, kWhyProtected},
      {"Favorites", PlaceFate::Told, kDeleteFilesRefused, 0, 0, ""},
  };
  EXPECT_EQ(LinesOf(report), expected);
  EXPECT_EQ(files.entries.size(), filesBefore);
  EXPECT_EQ(files.entries.at("C:\\P\\Cookies\\index.dat").content, LiveIndex(std::string(13, 'i')));
  EXPECT_TRUE(registry.KeyExists(RootKey::CurrentUser, typed));
  EXPECT_TRUE(urlCache.calls.empty());
  EXPECT_EQ(shell.recycleBinsEmptied, 0);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(ReportText(report).find(kPreviewHeading), 0u);
}

TEST_F(EraseCommandTest, TheReportAfterAnEraseNamesWhatWentAndWhatStayedAndWhy) {
  MemoryTraceLook look(files);
  EXPECT_EQ(ReportText(command.Aftermath().Report(look)), kNoEraseYet);
  choices.selection = {.cookies = true, .favorites = true, .tempFolder = true};
  shell.environment["Temp"] = "C:\\Temp";
  files.AddFile("C:\\Temp\\a.tmp");
  files.AddFile("C:\\Temp\\sub\\held.tmp");
  files.heldOpen.insert("C:\\Temp\\sub\\held.tmp");
  // A chain of folders deeper than the walks go: the file in the deepest
  // folder walked goes, the folder past it stays and is named.
  std::string deepest = "C:\\Temp";
  for (std::size_t level = 0; level < kMaxWalkDepth; ++level) deepest += "\\d";
  files.AddFile(deepest + "\\last.tmp");
  files.AddFile(deepest + "\\d\\past.tmp");
  SetShellFolder("Favorites", "C:\\");
  // On a share that is offline: not there, told once over the three passes.
  SetShellFolder("Cookies", "N:\\Cookies");
  files.AddFile("N:\\Cookies\\index.dat", LiveIndex("live"));
  files.unreachable.insert("N:\\Cookies");
  for (int box = 0; box < kErasePasses; ++box) prompts.Script(Answer::Ok);
  ConfirmErase();
  command.EraseStuffClick();
  const Line notThere{"Cookies", PlaceFate::NotReached, "N:\\Cookies", 0, 0, kWhyUnreachable};
  const std::vector<Line> expected{
      notThere,
      {"Temp folder", PlaceFate::Emptied, "C:\\Temp", 2, 0, ""},
      {"Temp folder", PlaceFate::Stayed, deepest + "\\d", 0, 0, TooDeepWhy()},
      {"Temp folder", PlaceFate::Stayed, "C:\\Temp\\sub\\held.tmp", 0, 0, kWhyStillThere},
      {"Favorites", PlaceFate::Refused, "C:\\", 0, 0, kWhyRoot},
      {"Cookies", PlaceFate::CacheEntries, "the URL cache's cookies", 0, 0, kWhyThroughLibrary},
  };
  EXPECT_EQ(LinesOf(command.Aftermath().Report(look)), expected);
  EXPECT_EQ(files.entries.at("N:\\Cookies\\index.dat").content, LiveIndex("live"));
  EXPECT_TRUE(files.Has(deepest + "\\d\\past.tmp"));
  // The preview says the same of it and of the deep folder, and promises no wipe there.
  const std::vector<Line> preview = LinesOf(PreviewErase(choices.selection, registry, shell, look));
  EXPECT_EQ(std::count(preview.begin(), preview.end(), notThere), 1);
  EXPECT_EQ(std::count(preview.begin(), preview.end(), expected[2]), 1);
  EXPECT_EQ(std::count_if(preview.begin(), preview.end(),
                          [](const Line& line) { return std::get<1>(line) == PlaceFate::Wiped; }),
            0);
}

// What a wipe leaves, and only that, is a wiped index: the library must
// never be handed one.
TEST(WipedIndex, IsTheHeaderFollowedByZerosOnly) {
  const std::string header = kEmptyIndexHeader, zeros(100, '\0');
  EXPECT_TRUE(IsWipedIndex(header) && IsWipedIndex(header + zeros));
  // A wipe that failed half way: its first piece went, old records follow.
  EXPECT_TRUE(IsWipedIndex(header + std::string(kWipePieceSize, '\0') + "old records"));
  for (const std::string& other :
       {header + zeros + "x", header.substr(0, 26), std::string(), "WINE URLCache Ver 0.2012001" + zeros}) {
    EXPECT_FALSE(IsWipedIndex(other)) << other;
  }
}

// Links in a container go as links before its first call; a container that
// keeps one, or whose index an erase wiped, gets no call in any later erase,
// and keeps no wiped index beside the link it keeps.
TEST_F(EraseCommandTest, TheUrlCacheNeverMeetsAWipedIndexOrAKeptLink) {
  choices.selection = {.cache = true, .cookies = true, .history = true, .all = true};
  SetShellFolder("Cache", "C:\\P\\TIF");
  SetShellFolder("Cookies", "C:\\P\\Cookies");
  SetShellFolder("History", "C:\\P\\History");
  const std::string cacheIndex = "C:\\P\\TIF\\Content.IE5\\index.dat";
  for (const std::string& index : {cacheIndex, std::string("C:\\P\\History\\History.IE5\\index.dat")}) {
    files.AddFile(index, LiveIndex(std::string(13, 'i')));
  }
  files.AddLink("C:\\P\\TIF\\Content.IE5\\AB12\\kept");
  files.heldOpen.insert("C:\\P\\TIF\\Content.IE5\\AB12\\kept");  // cannot be removed as itself
  files.AddLink("C:\\P\\Cookies\\sub\\link");
  files.AddFile("C:\\P\\Cookies\\index.dat", LiveIndex(std::string(13, 'k')));
  bool linkAtACall = false;
  urlCache.onCall = [&] { linkAtACall = linkAtACall || files.Has("C:\\P\\Cookies\\sub\\link"); };
  ConfirmErase();
  command.EraseStuffClick();
  using Calls = std::vector<std::pair<CacheSearch, std::size_t>>;
  const std::pair<CacheSearch, std::size_t> cookies{CacheSearch::Cookies, 1}, history{CacheSearch::History, 1};
  EXPECT_EQ(urlCache.calls, (Calls{cookies, history, cookies, history, cookies, history}));
  EXPECT_FALSE(linkAtACall);
  ASSERT_EQ(command.ContainersLeft().size(), 1u);
  EXPECT_EQ(command.ContainersLeft()[0].reason, ContainerLeftReason::LinkKept);
  MemoryTraceLook look(files);
  EXPECT_NE(ReportText(command.Aftermath().Report(look)).find(ReasonText(ContainerLeftReason::LinkKept)),
            std::string::npos);
  EXPECT_NE(status.back().find(". Erased without the URL cache: Cache (a link in it cannot"), std::string::npos);
  EXPECT_FALSE(files.Has(cacheIndex)) << "a wiped index beside a kept link";

  // The next erase: the history's wiped index is not handed over; the
  // cookies' index went with the cookie files, and a new one is fine.
  urlCache.calls.clear();
  files.AddFile("C:\\P\\Cookies\\index.dat", LiveIndex(std::string(13, 'k')));
  ConfirmErase();
  command.EraseStuffClick();
  EXPECT_EQ(urlCache.calls, (Calls{{CacheSearch::Cookies, 3}, {CacheSearch::Cookies, 3}, {CacheSearch::Cookies, 3}}));
  ASSERT_EQ(command.ContainersLeft().size(), 2u);
  EXPECT_EQ(command.ContainersLeft()[1].reason, ContainerLeftReason::WipedIndex);

  // An erase that never reached its end (its process was ended) left a
  // wiped index beside the kept link: the next erase deletes it before its
  // first step, whatever that erase was chosen for, and says so.
  files.AddFile(cacheIndex, std::string(kEmptyIndexHeader) + std::string(kWipePieceSize, '\0'));
  choices.selection = {.cookies = true};
  shell.unlistable.insert("C:\\P\\History\\History.IE5");  // a container not chosen, not listed
  bool wipedAtACall = false;
  urlCache.onCall = [&] { wipedAtACall = wipedAtACall || files.Has(cacheIndex); };
  ConfirmErase();
  command.EraseStuffClick();
  EXPECT_FALSE(wipedAtACall);
  EXPECT_FALSE(files.Has(cacheIndex));
  EXPECT_TRUE(files.Has("C:\\P\\TIF\\Content.IE5\\AB12\\kept"));
  const std::string report = ReportText(command.Aftermath().Report(look));
  EXPECT_NE(report.find(kMendedUnfinished), std::string::npos);
  EXPECT_EQ(report.find(kWhyNotListed), std::string::npos) << report;
}

// However an erase ends, no container that keeps a link is left with a
// wiped index at any depth, and what failed is in the report.
struct EraseEnd {
  const char* name;
  const char* stopAtStep;  // the step whose start this many times stops the erase ("": never)
  int stopAtTime;
  bool quit;                // stopped by the quit, else by another exception
  const char* heldIndex;    // an index that cannot be opened, below C:\P
  const char* failingWipe;  // an index whose wipe fails half way, below C:\P
  bool sessionEnd = false;  // the quit comes as the end of the session: the process may be killed right after
  bool viewer = false;      // the viewer's erase, stopped at its first pump after the history's index is wiped
  bool inBox = false;       // the session ends while the erase's own box is up, at the end of its first pass
};
void PrintTo(const EraseEnd& end, std::ostream* out) { *out << end.name; }
class EraseEndTest : public EraseCommandTest, public ::testing::WithParamInterface<EraseEnd> {};

TEST_P(EraseEndTest, LeavesNoWipedIndexBesideAKeptLink) {
  const EraseEnd& end = GetParam();
  choices.selection = {.cache = true, .cookies = true, .history = true, .all = true};
  SetShellFolder("Cache", "C:\\P\\TIF");
  SetShellFolder("Cookies", "C:\\P\\Cookies");
  SetShellFolder("History", "C:\\P\\History");
  for (const char* index : {"TIF\\Content.IE5", "History\\History.IE5", "History\\History.IE5\\MSHist01",
                            "History\\History.IE5\\MSHist02", "Cookies"}) {
    files.AddFile("C:\\P\\" + std::string(index) + "\\index.dat", LiveIndex(std::string(kWipePieceSize, 'i')));
  }
  for (const char* link : {"TIF\\Content.IE5\\AB12\\kept", "History\\History.IE5\\MSHist02\\kept"}) {
    files.AddLink("C:\\P\\" + std::string(link));
    files.heldOpen.insert("C:\\P\\" + std::string(link));  // cannot be removed as itself
  }
  if (*end.heldIndex) files.heldOpen.insert("C:\\P\\" + std::string(end.heldIndex));
  if (*end.failingWipe) files.failingWipes.insert("C:\\P\\" + std::string(end.failingWipe));
  int stepStarts = 0;
  std::map<std::string, MemoryTraceFiles::Entry> atKill;  // what the session's end leaves
  const auto stopHere = [&](const std::string& text) {
    if (*end.stopAtStep && text.find(end.stopAtStep) != std::string::npos && ++stepStarts == end.stopAtTime) {
      if (end.sessionEnd) {
        guard.EndForSession();
        atKill = files.entries;
      }
      if (end.quit) throw ProgramEnding();
      throw std::runtime_error("ended");
    }
  };
  EraseCommand erase{choices, desktop, registry, files, shell, prompts, urlCache, guard, {nullptr, stopHere, nullptr}};
  MemoryTraceLook look(files);
  std::string keptAtKill;  // the report kept at the end of the session
  erase.OnEnded([&](bool messagesMayRun) {
    if (!messagesMayRun) keptAtKill = ReportText(erase.Aftermath().Report(look));
  });
  MemoryFileSystem viewed;
  MemoryUrlCache viewersLibrary;
  MemoryWaitLoop viewersLoop;
  TDemo viewer{registry, viewed, files, shell, viewersLibrary, viewersLoop, prompts, guard};
  viewersLoop.onDispatch = [&] {
    const auto history = files.entries.find("C:\\P\\History\\History.IE5\\index.dat");
    if (viewersLoop.quitPosted || history == files.entries.end() || !IsWipedIndex(history->second.content)) return;
    guard.EndForSession();
    atKill = files.entries;
    viewersLoop.quitPosted = true;
  };
  ConfirmErase();
  std::size_t callsAtKill = 0;
  int changesAtKill = 0;
  if (end.inBox) {
    choices.selection.recent = true;  // its folder is missing: a box at the end of the first pass
    prompts.WhileNextBoxIsUp([] {});  // "are you sure"
    prompts.WhileNextBoxIsUp([&] {
      guard.EndForSession();
      atKill = files.entries;
      callsAtKill = urlCache.calls.size();
      changesAtKill = files.changesAsked;
    });
  }
  if (end.viewer) {
    EXPECT_NO_THROW(viewer.EraseStuffClick());
  } else if (*end.heldIndex || *end.failingWipe || (*end.stopAtStep && !end.quit)) {
    EXPECT_ANY_THROW(erase.EraseStuffClick());
  } else {
    EXPECT_NO_THROW(erase.EraseStuffClick());
  }
  EXPECT_EQ(!atKill.empty(), end.sessionEnd) << "the session ended during the erase";
  for (const auto& [path, entry] : end.sessionEnd ? atKill : files.entries) {
    const bool besideKeptLink = path.rfind("C:\\P\\TIF", 0) == 0 || path.rfind("C:\\P\\History", 0) == 0;
    EXPECT_FALSE(besideKeptLink && IsWipedIndex(entry.content)) << "a wiped index beside a kept link: " << path;
  }
  EXPECT_TRUE(files.Has("C:\\P\\History\\History.IE5\\MSHist02\\kept"));
  if (end.inBox) {
    // Nothing written, deleted, wiped or asked of the library after the session's end.
    EXPECT_EQ(urlCache.calls.size(), callsAtKill);
    EXPECT_EQ(files.changesAsked, changesAtKill);
  }
  if (end.viewer) return;
  // What the session's end kept names the containers left to the walk.
  EXPECT_EQ(keptAtKill.find(ReasonText(ContainerLeftReason::LinkKept)) != std::string::npos, end.sessionEnd)
      << keptAtKill;
  const std::string failed = std::string("C:\\P\\") + (*end.heldIndex ? end.heldIndex : end.failingWipe);
  const std::string report = ReportText(erase.Aftermath().Report(look));
  EXPECT_TRUE(failed.back() == '\\' || report.find(failed + " (Cannot open file") != std::string::npos) << report;
  // A stopped erase says so, also in what the session's end kept: what it had not reached stays.
  EXPECT_EQ(report.find(kEraseEndedEarly) != std::string::npos, end.quit) << report;
  EXPECT_EQ(keptAtKill.find(kEraseEndedEarly) != std::string::npos, end.sessionEnd) << keptAtKill;
}

INSTANTIATE_TEST_SUITE_P(
    Ends, EraseEndTest,
    ::testing::Values(EraseEnd{"Finished", "", 0, false, "", ""}, EraseEnd{"QuitInPass1", "(Cache)", 1, true, "", ""},
                      EraseEnd{"QuitInPass2", "(Cache)", 2, true, "", ""},
                      EraseEnd{"QuitInPass3", "(Cache)", 3, true, "", ""},
                      EraseEnd{"SessionEndInPass2", "(Cache)", 2, true, "", "", true},
                      EraseEnd{"SessionEndInTheViewersErase", "", 0, true, "", "", true, true},
                      EraseEnd{"SessionEndInTheErasesBox", "", 0, true, "", "", true, false, true},
                      EraseEnd{"FailedWipe", "", 0, false, "TIF\\Content.IE5\\index.dat", ""},
                      EraseEnd{"WipeFailedHalfWay", "", 0, false, "", "History\\History.IE5\\MSHist01\\index.dat"},
                      EraseEnd{"Exception", "(Cache)", 2, false, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The preview runs the erase's own gate: the URL-cache calls it promises,
// the links it would remove and the containers it would leave are what the
// erase then does, on the first erase and the next. A cookie folder set
// onto the profile keeps its links; an index left alone is reported.
TEST_F(EraseCommandTest, APreviewPromisesWhatTheGateThenDoesTwiceOver) {
  choices.selection = {.cache = true, .cookies = true, .history = true};
  SetShellFolder("Cache", "C:\\P\\TIF");
  SetShellFolder("Cookies", "C:\\Documents and Settings\\User");
  SetShellFolder("History", "C:\\P\\History");
  files.AddLink("C:\\Documents and Settings\\User\\Music");
  files.AddFile("C:\\Documents and Settings\\User\\index.dat", LiveIndex("live"));
  files.AddLink("C:\\P\\TIF\\Content.IE5\\AB12\\link");
  files.AddFile("C:\\P\\TIF\\Content.IE5\\index.dat", LiveIndex("live"));
  files.AddFile("C:\\P\\History\\History.IE5\\index.dat", LiveIndex("live"), 2);  // another name: left alone
  files.AddFile("C:\\P\\History\\History.IE5\\MSHist01\\index.dat", LiveIndex("live"));
  MemoryTraceLook look(files);
  const auto gateLines = [](const EraseReport& report) {
    std::vector<std::string> lines;
    for (const ReportEntry& entry : report.entries) {
      if (entry.fate == PlaceFate::CacheEntries || entry.fate == PlaceFate::LeftToWalk) {
        lines.push_back(entry.step + ": " + entry.place + " (" + entry.why + ")");
      }
    }
    return lines;
  };
  for (const std::size_t links : {1u, 0u}) {
    const EraseReport preview = PreviewErase(choices.selection, registry, shell, look);
    std::vector<std::string> removed;
    for (const ReportEntry& entry : preview.entries) {
      if (entry.fate == PlaceFate::RemovedLink && entry.place.find("Content.IE5") != std::string::npos) {
        removed.push_back(entry.place);
      }
    }
    EXPECT_EQ(removed.size(), links);
    ConfirmErase();
    command.EraseStuffClick();
    EXPECT_EQ(gateLines(preview), gateLines(command.Aftermath().Report(look)));
    for (const std::string& link : removed) EXPECT_FALSE(files.Has(link));
    EXPECT_TRUE(files.Has("C:\\Documents and Settings\\User\\Music"));
    EXPECT_EQ(files.entries.at("C:\\Documents and Settings\\User\\index.dat").content, LiveIndex("live"));
  }
  EXPECT_NE(ReportText(command.Aftermath().Report(look)).find(kWhyIndexLeftAlone), std::string::npos);
  EXPECT_NE(status.back().find("left in place: 1. Erased without the URL cache: Cookies"), std::string::npos);
}

// A cookie folder is emptied, and handed to the library, only when it is
// the library's: set onto the user's own files, it holds them and no index.
// The preview and the report say why it was left, in the same words.
TEST_F(EraseCommandTest, ACookieFolderIsEmptiedOnlyWhenItHoldsTheLibrarysIndex) {
  choices.selection = {.cookies = true};
  const std::string wineIndex = "WINE URLCache Ver 0.2012001" + std::string(8, '\1');
  const std::string documents = "C:\\Documents and Settings\\User\\My Documents\\Taxes";
  const struct {
    const char* what;
    std::string folder;
    std::vector<std::pair<std::string, std::string>> held;  // name, content
    bool emptied;
    const char* why;  // of the line that tells it was left
    bool unreadableIndex = false;
  } cases[] = {
      {"NoIndex", "C:\\P\\Cookies", {{"return.txt", "taxes"}, {"2025\\r1.pdf", "pdf"}}, false, kWhyNoContainerIndex},
      {"AnotherIndexDat", "C:\\P\\Cookies", {{"index.dat", "my notes"}}, false, kWhyNoContainerIndex},
      {"TheIndex", "C:\\P\\Cookies", {{"index.dat", LiveIndex("r")}, {"jo@site.txt", "c"}}, true, nullptr},
      {"WinesIndex", "C:\\P\\Cookies", {{"index.dat", wineIndex}, {"jo@site.txt", "c"}}, true, nullptr},
      {"OnlyIndexFiles", "C:\\P\\Cookies", {{"old.dat", LiveIndex("")}, {"desktop.ini", "kept"}}, true, nullptr},
      {"IndexUnreadable",
       "C:\\P\\Cookies",
       {{"index.dat", LiveIndex("r")}, {"jo@site.txt", "c"}},
       false,
       kWhyContainerIndexUnreadable,
       true},
      {"BelowTheDocuments", documents, {{"index.dat", LiveIndex("r")}, {"return.txt", "taxes"}}, false, kWhyProtected},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    files.entries.clear();
    files.unreadableFiles.clear();
    urlCache.calls.clear();
    SetShellFolder("Cookies", c.folder);
    for (const auto& [name, content] : c.held) files.AddFile(c.folder + "\\" + name, content);
    if (c.unreadableIndex) files.unreadableFiles.insert(c.folder + "\\index.dat");
    MemoryTraceLook look(files);
    const std::vector<Line> preview = LinesOf(PreviewErase(choices.selection, registry, shell, look));
    ConfirmErase();
    command.EraseStuffClick();
    const std::vector<Line> report = LinesOf(command.Aftermath().Report(look));
    const Line left{"Cookies", PlaceFate::Refused, c.folder, 0, 0, c.why ? c.why : ""};
    EXPECT_EQ(std::count(preview.begin(), preview.end(), left), c.emptied ? 0 : 1);
    EXPECT_EQ(std::count(report.begin(), report.end(), left), c.emptied ? 0 : 1);
    for (const auto& [name, content] : c.held) {
      EXPECT_EQ(files.Has(c.folder + "\\" + name), !c.emptied || name == "desktop.ini") << name;
    }
    EXPECT_EQ(urlCache.calls.empty(), !c.emptied);
  }
}

// Each step's keys, folders and messages.
struct StepCase {
  const char* name;
  void (*step)(EraseTools&);
  std::vector<std::pair<RootKey, std::string>> keysGone;
  std::vector<std::string> filesGone;
  std::vector<std::string> filesKept;
};
void PrintTo(const StepCase& step, std::ostream* out) { *out << step.name; }

class EraseStepTest : public EraseCommandTest, public ::testing::WithParamInterface<StepCase> {
 protected:
  EraseTools Tools() { return EraseTools{registry, files, shell, prompts, urlCache, {}}; }
};

TEST_P(EraseStepTest, RemovesItsKeysAndFilesAndKeepsTheRest) {
  const StepCase& step = GetParam();
  SetShellFolder("History", "C:\\P\\History");
  SetShellFolder("Cookies", "C:\\P\\Cookies");
  SetShellFolder("Cache", "C:\\P\\TIF");
  SetShellFolder("Recent", "C:\\P\\Recent");
  SetShellFolder("Favorites", "C:\\P\\Favorites");
  shell.environment = {{"Temp", "C:\\P\\Temp"}, {"WINDIR", "C:\\WINDOWS"}};
  shell.specialFolders = {{SpecialFolder::Programs, "C:\\P\\Programs"},
                          {SpecialFolder::AppData, "C:\\P\\AppData"},
                          {SpecialFolder::CommonFiles, "C:\\Program Files\\Common Files"},
                          {SpecialFolder::LocalAppData, "C:\\P\\Local"},
                          {SpecialFolder::CommonAppData, "C:\\All\\AppData"}};
  for (const auto& [root, key] : step.keysGone) registry.CreateKey(root, key + "\\child");
  const auto contentOf = [](const std::string& file) {
    return file.ends_with("index.dat") ? LiveIndex(std::string(13, 'x')) : std::string(40, 'x');
  };
  for (const auto& file : step.filesGone) files.AddFile(file, contentOf(file));
  for (const auto& file : step.filesKept) files.AddFile(file, contentOf(file));
  EraseTools tools = Tools();
  step.step(tools);
  step.step(tools);  // the second time finds nothing to do, and says nothing
  for (const auto& [root, key] : step.keysGone) EXPECT_FALSE(registry.KeyExists(root, key)) << key;
  for (const auto& file : step.filesGone) EXPECT_FALSE(files.Has(file)) << file;
  for (const auto& file : step.filesKept) EXPECT_TRUE(files.Has(file)) << file;
  EXPECT_TRUE(prompts.Messages().empty());
}

const std::string kReal = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
const std::string kPlayer = "Software\\Microsoft\\MediaPlayer\\Player\\";

INSTANTIATE_TEST_SUITE_P(
    Steps, EraseStepTest,
    ::testing::Values(
        StepCase{"Cookies",
                 ClearCookies,
                 {},
                 {"C:\\P\\Cookies\\index.dat", "C:\\P\\Cookies\\user@site.txt", "C:\\P\\Cookies\\sub\\x.txt"},
                 {"C:\\P\\Cookies\\Desktop.ini"}},
        StepCase{"Cache",
                 ClearCache,
                 {},
                 {"C:\\P\\TIF\\Content.IE5\\AB12\\page.htm"},
                 {"C:\\P\\TIF\\Content.IE5\\index.dat", "C:\\P\\TIF\\Content.IE5\\loose.txt"}},
        StepCase{"History",
                 ClearShit,
                 {},
                 {},
                 {"C:\\P\\History\\History.IE5\\index.dat", "C:\\P\\History\\History.IE5\\MSHist01\\index.dat"}},
        StepCase{
            "Recent",
            EraseRecentFiles,
            {{RootKey::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List"},
             {RootKey::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"}},
            {},
            {"C:\\P\\Recent\\doc.lnk"}},
        StepCase{
            "Temp", EraseTempFolder, {}, {"C:\\P\\Temp\\a.tmp", "C:\\P\\Temp\\d\\b.tmp"}, {"C:\\P\\Temp\\desktop.ini"}},
        StepCase{"TypedUrls",
                 EraseTypedUrls,
                 {{RootKey::CurrentUser, "Software\\Microsoft\\Internet Explorer\\TypedURLs"}},
                 {},
                 {}},
        StepCase{
            "Favorites", EraseFavorites, {}, {"C:\\P\\Favorites\\Links\\a.url"}, {"C:\\P\\Favorites\\desktop.ini"}},
        StepCase{
            "RealPlayer",
            EraseRealPlayer,
            {{RootKey::CurrentUser, kReal + "MostRecentClips1"},
             {RootKey::CurrentUser, kReal + "MostRecentClips10"},
             {RootKey::CurrentUser, kReal + "OpenLocationClips3"},
             {RootKey::LocalMachine, kReal + "MostRecentClips7"}},
            {"C:\\Program Files\\Common Files\\Real\\Common\\Cookies.txt",
             "C:\\P\\Programs\\Real\\RealOne Player\\ctd.dat", "C:\\P\\Programs\\Real\\RealOne Player\\urls.ini",
             "C:\\P\\Programs\\Real\\RealOne Player\\history\\h1", "C:\\P\\AppData\\Real\\RealOne Player\\Cookies.txt",
             "C:\\P\\AppData\\Real\\RealOne Player\\realplayer.ste",
             "C:\\P\\AppData\\Real\\RealOne Player\\history\\h2"},
            {"C:\\P\\Programs\\Real\\RealOne Player\\Cookies.txt",
             "C:\\P\\Programs\\Real\\RealOne Player\\realplay.exe",
             "C:\\Program Files\\Common Files\\Real\\Common\\other.dll"}},
        StepCase{
            "MediaPlayer",
            EraseMediaPlayer,
            {{RootKey::CurrentUser, kPlayer + "RecentFileList"}, {RootKey::CurrentUser, kPlayer + "RecentURLList"}},
            {"C:\\P\\AppData\\Microsoft\\Media Player\\a.wmdb", "C:\\All\\AppData\\Microsoft\\Media Player\\b",
             "C:\\P\\Local\\Microsoft\\Media Player\\c", "C:\\WINDOWS\\wmplibrary_v_0_12.db"},
            {"C:\\WINDOWS\\win.ini", "C:\\P\\Local\\Microsoft\\other"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EraseStepTest, HistoryAndCookieIndexFilesAreWipedNotDeleted) {
  SetShellFolder("History", "C:\\P\\History");
  SetShellFolder("Cookies", "C:\\P\\Cookies");
  files.AddFile("C:\\P\\History\\History.IE5\\index.dat", LiveIndex(std::string(13, 'x')));
  files.AddFile("C:\\P\\History\\History.IE5\\MSHist01\\index.dat", LiveIndex(std::string(13, 'x')));
  files.AddFolder("C:\\P\\History\\History.IE5\\Empty");
  files.AddFile("C:\\P\\Cookies\\index.dat", LiveIndex(std::string(13, 'x')));
  files.heldOpen.insert("C:\\P\\Cookies\\index.dat");  // cannot be deleted while the browser holds it
  EraseTools tools = Tools();
  EXPECT_THROW(ClearCookies(tools), PlatformError);
  files.heldOpen.clear();
  ClearShit(tools);
  const std::string wiped = std::string(kEmptyIndexHeader) + std::string(40 - kEmptyIndexHeaderSize, '\0');
  EXPECT_EQ(files.entries.at("C:\\P\\History\\History.IE5\\index.dat").content, wiped);
  EXPECT_EQ(files.entries.at("C:\\P\\History\\History.IE5\\MSHist01\\index.dat").content, wiped);
  EXPECT_FALSE(files.Has("C:\\P\\History\\History.IE5\\Empty\\index.dat"));
}

TEST_F(EraseStepTest, MissingFoldersAreToldAndTouchNothing) {
  files.AddFile("C:\\history\\h");  // where a relative or drive-rooted path would land
  files.AddFile("C:\\Real\\RealOne Player\\ctd.dat");
  files.AddFile("C:\\Microsoft\\Media Player\\m");
  shell.environment["Temp"] = "C:\\";
  registry.WriteString(RootKey::CurrentUser, kShellFolders, "Favorites", "Error");
  registry.CreateKey(RootKey::LocalMachine,
                     "SOFTWARE\\Classes\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MainApp");
  shell.shellLibraryLoads = false;
  EraseTools tools = Tools();
  for (auto step : {EraseTempFolder, EraseFavorites, EraseRecycleBin, EraseRealPlayer, EraseMediaPlayer}) step(tools);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kTempFolderMissing, kFavoritesFolderMissing, kShellLibraryMissing}));
  EXPECT_EQ(prompts.Messages()[2].kind, MessageKind::Error);
  EXPECT_EQ(files.entries.size(), 3u + 5u);  // the three files and their folders C:\history, C:\Real, ...
}

TEST_F(EraseStepTest, OnlyARegistryFailureIsTold) {
  const std::string typed = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
  EraseTools tools = Tools();
  EraseTypedUrls(tools);  // absent: silent
  EXPECT_TRUE(prompts.Messages().empty());

  class FailingRegistry : public MemoryRegistry {
    bool DeleteKeyTree(RootKey, const std::string&) override { throw PlatformError("registry failed"); }
  } failing;
  EraseTools failingTools{failing, files, shell, prompts, urlCache, {}};
  EraseTypedUrls(failingTools);
  EraseFormPasswords(failingTools);
  EraseRecentFiles(failingTools);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kTypedUrlsNotErased, kPasswordsNotErased, kRecentFolderMissing,
                                               kRecentListsNotErased}));
}

// A kept site keeps its host and every host below it, whatever the case or
// a leading dot; what no host can be is refused, saying why.
TEST(CookiesToKeepTest, ASiteKeepsItsHostAndTheHostsBelowItAndRefusesWhatIsNoSite) {
  const CookiesToKeep kept = CookiesToKeep::FromStored(".Example.com|bank.test");
  const std::pair<const char*, const char*> hosts[] = {{"example.com", "example.com"},
                                                       {"www.example.com", "example.com"},
                                                       {"A.B.EXAMPLE.COM", "example.com"},
                                                       {".example.com", "example.com"},
                                                       {"notexample.com", ""},
                                                       {"example.com.evil.test", ""},
                                                       {"com", ""},
                                                       {"bank.test", "bank.test"},
                                                       {"xbank.test", ""}};
  for (const auto& [host, site] : hosts) EXPECT_EQ(kept.SiteOf(host), site) << host;
  EXPECT_EQ(CookiesToKeep::CookieHost("Cookie:jo@www.example.com/path"), "www.example.com");
  EXPECT_EQ(CookiesToKeep::CookieHost("cookie:jo@www.example.com/"), "");  // the library's prefix has its case
  EXPECT_EQ(CookiesToKeep::CookieHost("Visited: jo@http://www.example.com/"), "");
  const std::pair<const char*, const char*> typed[] = {{"", kKeptSiteEmpty},
                                                       {"exa mple.com", kKeptSiteBlanks},
                                                       {"http://example.com", kKeptSiteScheme},
                                                       {"example.com:80", kKeptSiteScheme},
                                                       {"example.com/mail", kKeptSitePath},
                                                       {"exa*mple.com", kKeptSiteNoHost},
                                                       {"example..com", kKeptSiteNoHost},
                                                       {"-example.com", kKeptSiteNoHost},
                                                       {"..com", kKeptSiteNoHost}};
  for (const auto& [text, why] : typed) EXPECT_EQ(CheckKeptSite(text).refusal, why) << text;
  EXPECT_EQ(CheckKeptSite(".Mail.Example.COM").host, "mail.example.com");
}

// Vandrel.exe Erase and the erase at log-on: the stored choices, no box,
// an exit code a script can test and the report kept where the window finds it.
struct UnattendedCase {
  const char* what;
  std::function<void(MemoryPlatform&, std::vector<std::string>& arguments, bool& otherProcessErases)> arrange;
  UnattendedEnd end;
  const char* reportHolds;  // null: no report is kept
  bool tempErased;
  bool outOfMemory = false;  // the erase's first look at the message queue runs out of memory
  const char* reportLacks = nullptr;
  std::function<void(MemoryPlatform&)> leaves = nullptr;  // checks what the erase left
};

// Cookies of kept sites, their look-alikes and a file no entry uses, in a
// cookie folder of the library's, with `choice` on.
void ArrangeCookies(MemoryPlatform& m, const char* choice, const char* kept) {
  m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, choice, "1");
  m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, kCookiesToKeepValue, kept);
  m.registry.WriteString(RootKey::CurrentUser, kShellFolders, "Cookies", "C:\\P\\Cookies");
  m.traceFiles.AddFile("C:\\P\\Cookies\\index.dat", LiveIndex("entries"));
  m.traceFiles.AddFile("C:\\P\\Cookies\\desktop.ini");
  m.traceFiles.AddFile("C:\\P\\Cookies\\orphan.txt");
  for (const char* host : {"www.example.com", "MAIL.Example.com", ".example.com", "notexample.com",
                           "example.com.evil.test", "bank.test", "www.bank.test.evil"}) {
    const std::string file = "C:\\P\\Cookies\\" + std::string(host) + ".txt";
    m.traceFiles.AddFile(file);
    m.urlCache.Add("Cookie:jo@" + std::string(host) + "/", 0x100001, file);
  }
}
void LeavesTheKeptCookies(MemoryPlatform& m) {
  const std::vector<std::string> kept{"www.example.com", "MAIL.Example.com", ".example.com", "bank.test"};
  std::vector<std::string> urls;
  for (const std::string& host : kept) urls.push_back("Cookie:jo@" + host + "/");
  EXPECT_EQ(m.urlCache.Urls(), urls);
  for (const std::string& host : kept) EXPECT_TRUE(m.traceFiles.Has("C:\\P\\Cookies\\" + host + ".txt")) << host;
  for (const char* gone : {"notexample.com", "example.com.evil.test", "www.bank.test.evil", "orphan"}) {
    EXPECT_FALSE(m.traceFiles.Has("C:\\P\\Cookies\\" + std::string(gone) + ".txt")) << gone;
  }
  EXPECT_EQ(m.traceFiles.entries.at("C:\\P\\Cookies\\index.dat").content, LiveIndex("entries"));
}

// The stored choices with only the Temp folder on, Temp at C:\Temp and the
// application data, where the report is kept, at C:\AD.
void StoreOnlyTheTempChosen(MemoryPlatform& m) {
  for (const char* name : {"Cache", "All", "LocationBar", "Recent", "TempFolder", "Recycled Bin", "Cookies",
                           "Bookmarks", "History", "MPlayer", "RealOne"}) {
    m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, name, "0");
  }
  m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, "TempFolder", "1");
  m.shell.environment["Temp"] = "C:\\Temp";
  m.shell.specialFolders[SpecialFolder::AppData] = "C:\\AD";
}

class UnattendedEraseTest : public ::testing::TestWithParam<UnattendedCase> {};

TEST_P(UnattendedEraseTest, EndsWithItsCodeAndKeepsWhatItDid) {
  MemoryPlatform machine;
  StoreOnlyTheTempChosen(machine);
  machine.traceFiles.AddFile("C:\\Temp\\a.tmp");
  std::vector<std::string> arguments;
  bool otherProcessErases = false;
  GetParam().arrange(machine, arguments, otherProcessErases);
  OtherProcessLock lock;
  lock.held = otherProcessErases;
  EraseGuard guard;
  guard.UseLock(&lock);
  MemoryTraceLook look(machine.traceFiles);
  machine.waitLoop.onDispatch = [failing = GetParam().outOfMemory]() mutable {
    if (std::exchange(failing, false)) throw std::bad_alloc();
  };
  KeptReport keeper(machine.files, machine.shell);
  UnattendedErase erase(machine.platform, guard, look, keeper);

  const UnattendedOutcome outcome = erase.Run(arguments);
  EXPECT_EQ(outcome.end, GetParam().end);
  // The log-on erase tells the same end in its balloon.
  const std::string balloon = LogOnEraseBalloon(outcome).text;
  EXPECT_EQ(balloon.find("Not everything went") != std::string::npos, GetParam().end == UnattendedEnd::SomethingStayed)
      << balloon;
  EXPECT_EQ(machine.traceFiles.Has("C:\\Temp\\a.tmp"), !GetParam().tempErased);
  const auto kept = machine.files.files.find("C:\\AD\\Vandrel\\erase-report.txt");
  ASSERT_EQ(kept != machine.files.files.end(), GetParam().reportHolds != nullptr);
  if (kept != machine.files.files.end()) {
    EXPECT_NE(kept->second.find(GetParam().reportHolds), std::string::npos) << kept->second;
    if (GetParam().reportLacks) {
      EXPECT_EQ(kept->second.find(GetParam().reportLacks), std::string::npos) << kept->second;
    }
  }
  // What "Erase report" shows through the keeper that the log-on erase shares with the window: this erase's.
  const std::optional<std::string> shown = keeper.Load();
  if (kept != machine.files.files.end()) {
    EXPECT_EQ(shown, kept->second);
  } else if (outcome.end != UnattendedEnd::NotStarted) {
    EXPECT_EQ(shown.value_or("").rfind(kReportNotKept, 0), 0u) << shown.value_or("(none)");
  }
  EXPECT_FALSE(guard.Running());
  if (GetParam().leaves) GetParam().leaves(machine);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, UnattendedEraseTest,
    ::testing::Values(
        UnattendedCase{"AllDone", [](auto&, auto&, bool&) {}, UnattendedEnd::AllDone, "C:\\Temp: 1 removed", true},
        UnattendedCase{"NothingChosen",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, "TempFolder", "0");
                       },
                       UnattendedEnd::NotStarted, nullptr, false},
        UnattendedCase{"AnotherProcessErases", [](auto&, auto&, bool& other) { other = true; },
                       UnattendedEnd::NotStarted, nullptr, false},
        UnattendedCase{"BrowserOpenLeavesTheCacheOut",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, "Cache", "1");
                         m.desktop.Open("A page", "IEFrame");
                       },
                       UnattendedEnd::SomethingStayed, "history steps were left out (\"A page\")", true},
        UnattendedCase{"AHiddenOrUntitledFrameHoldsNothingBack",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, "Cache", "1");
                         m.desktop.Open("", "IEFrame");
                         m.desktop.Open("Hidden", "IEFrame", 0, false);
                       },
                       UnattendedEnd::SomethingStayed, "C:\\Temp: 1 removed", true, false, kBrowserOpenLeftOut},
        UnattendedCase{"AChoiceOfAnotherTypeErasesNothing",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.registry.WriteDword(RootKey::CurrentUser, kSettingsKeyPath, "Recent", 1);
                       },
                       UnattendedEnd::NotStarted, "refused  Recent (not a string value)", false},
        UnattendedCase{"AChoiceOfNoErasesNothing",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, "TempFolder", "no");
                       },
                       UnattendedEnd::NotStarted, "TempFolder (holds \"no\", neither \"0\" nor \"1\")", false},
        UnattendedCase{"AnEmptyChoiceErasesNothing",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, "Recycled Bin", "");
                       },
                       UnattendedEnd::NotStarted, "Recycled Bin (holds \"\"", false},
        UnattendedCase{"AChoiceOfZeroAndABlankErasesNothing",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, "Bookmarks", "0 ");
                       },
                       UnattendedEnd::NotStarted, "Bookmarks (holds \"0 \"", false},
        UnattendedCase{
            "ASettingsKeyThatCannotBeReadErasesNothing",
            [](MemoryPlatform& m, auto&, bool&) { m.registry.DenyReads(RootKey::CurrentUser, kSettingsKeyPath); },
            UnattendedEnd::NotStarted, "refused  Cannot read 'Cache'", false},
        UnattendedCase{"AMissingChoiceTakesTheDialogsDefault",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.registry.DeleteValue(RootKey::CurrentUser, kSettingsKeyPath, "TempFolder");
                       },
                       UnattendedEnd::AllDone, "C:\\Temp: 1 removed", true},
        UnattendedCase{"AFolderOutOfReachIsWhatStayed",
                       [](MemoryPlatform& m, auto&, bool&) {
                         m.shell.environment["Temp"] = "N:\\Temp";
                         m.traceFiles.AddFile("N:\\Temp\\b.tmp");
                         m.traceFiles.unreachable.insert("N:\\Temp");
                       },
                       UnattendedEnd::SomethingStayed, "not there  N:\\Temp (cannot be reached over the network)",
                       false},
        UnattendedCase{
            "ACacheFolderThatCannotBeListedIsWhatStayed",
            [](MemoryPlatform& m, auto&, bool&) {
              m.registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, "Cache", "1");
              m.registry.WriteString(RootKey::CurrentUser, kShellFolders, "Cache", "C:\\P\\Cache");
              m.traceFiles.AddFile("C:\\P\\Cache\\Content.IE5\\index.dat", LiveIndex("entries"));
              m.traceFiles.AddFile("C:\\P\\Cache\\Content.IE5\\X1\\page.htm");
              m.shell.unlistable.insert("C:\\P\\Cache\\Content.IE5");
            },
            UnattendedEnd::SomethingStayed, "stayed  C:\\P\\Cache\\Content.IE5 (its subfolders could not be listed",
            true, false, nullptr,
            [](MemoryPlatform& m) { EXPECT_TRUE(m.traceFiles.Has("C:\\P\\Cache\\Content.IE5\\X1\\page.htm")); }},
        UnattendedCase{"ArgumentsAreIgnoredAndSaid",
                       [](auto&, std::vector<std::string>& arguments, bool&) {
                         arguments = {"/all", "now"};
                       },
                       UnattendedEnd::SomethingStayed, "ignored: /all now", true},
        UnattendedCase{"AFolderDeeperThanTheWalksGoStaysAndIsSaid",
                       [](MemoryPlatform& m, auto&, bool&) {
                         std::string deep = "C:\\Temp";
                         for (std::size_t level = 0; level <= kMaxWalkDepth; ++level) deep += "\\L";
                         m.traceFiles.AddFile(deep + "\\x.tmp");
                       },
                       UnattendedEnd::SomethingStayed, "\\L\\L (more than 256 folders deep: left with all it holds)",
                       true},
        UnattendedCase{"AReportThatCannotBeKeptLosesNoErase",
                       [](MemoryPlatform& m, auto&, bool&) { m.files.unwritableFolders.insert("C:\\AD\\Vandrel"); },
                       UnattendedEnd::SomethingStayed, nullptr, true},
        UnattendedCase{"AnyFailureIsReportedWithItsCode", [](auto&, auto&, bool&) {}, UnattendedEnd::SomethingStayed,
                       "\"std::bad_alloc\" (the erase stopped here)", false, true},
        UnattendedCase{"KeptSitesKeepTheirCookiesFilesAndTheIndex",
                       [](MemoryPlatform& m, auto&, bool&) { ArrangeCookies(m, "Cookies", "Example.COM|bank.test"); },
                       UnattendedEnd::AllDone, "kept  4 cookies of 2 sites: example.com (3), bank.test (1)", true,
                       false, nullptr,
                       [](MemoryPlatform& m) {
                         LeavesTheKeptCookies(m);
                         // The next erase's preview keeps them too, files and all.
                         MemoryTraceLook look(m.traceFiles);
                         EraseSelection cookies;
                         cookies.cookies = true;
                         const std::string preview = ReportText(PreviewErase(
                             cookies, m.registry, m.shell, look, {}, [&m] { return CookieEntriesOf(m.urlCache); }));
                         EXPECT_NE(preview.find("keep  4 cookies of 2 sites"), std::string::npos) << preview;
                         EXPECT_NE(preview.find("C:\\P\\Cookies: 0 files"), std::string::npos) << preview;
                       }},
        UnattendedCase{"AllKeepsThemToo",
                       [](MemoryPlatform& m, auto&, bool&) { ArrangeCookies(m, "All", ".example.com|bank.test"); },
                       UnattendedEnd::SomethingStayed, "kept  4 cookies of 2 sites", true, false, nullptr,
                       LeavesTheKeptCookies},
        UnattendedCase{"ABadStoredSiteIsLeftOutAndSaidTheRestKept",
                       [](MemoryPlatform& m, auto&,
                          bool&) { ArrangeCookies(m, "Cookies", "example.com|http://x.test/|bank.test|bad site|"); },
                       UnattendedEnd::SomethingStayed, "left out: \"http://x.test/\": a scheme", true, false, nullptr,
                       LeavesTheKeptCookies},
        UnattendedCase{"AKeptLinkKeepsTheLibraryAndSoEveryCookieFile",
                       [](MemoryPlatform& m, auto&, bool&) {
                         ArrangeCookies(m, "Cookies", "example.com");
                         m.traceFiles.AddLink("C:\\P\\Cookies\\sub\\link");
                         m.traceFiles.heldOpen.insert("C:\\P\\Cookies\\sub\\link");
                       },
                       UnattendedEnd::SomethingStayed, kWhyKeptCookiesUnknown, true, false, nullptr,
                       [](MemoryPlatform& m) {
                         EXPECT_EQ(m.urlCache.Urls().size(), 7u);
                         EXPECT_TRUE(m.traceFiles.Has("C:\\P\\Cookies\\orphan.txt"));
                       }}),
    [](const auto& info) { return std::string(info.param.what); });

// Every erase lets the waiting messages run at one pace, at every
// kPumpEvery-th entry: under Wine a look at the queue costs more than a
// delete, and an erase that looks too seldom holds the windows.
struct PaceCase {
  const char* what;
  const char* folder;  // where the erase finds its 1,024 files
  std::size_t walks;   // of that folder: a cache container is swept for links before it is emptied
  std::function<void(MemoryPlatform&, Program&, ScriptedPrompts&)> erase;
};

class ErasePaceTest : public ::testing::TestWithParam<PaceCase> {};

TEST_P(ErasePaceTest, LetsMessagesRunOnceEverySoManyEntries) {
  MemoryPlatform machine;
  StoreOnlyTheTempChosen(machine);
  machine.registry.WriteString(RootKey::CurrentUser, kShellFolders, "Cache", "C:\\C");
  machine.traceFiles.AddFile("C:\\C\\Content.IE5\\index.dat", LiveIndex("entries"));
  machine.files.files["C:\\C\\Content.IE5\\index.dat"] = LiveIndex("entries");
  constexpr std::size_t kFiles = 1024;
  for (std::size_t file = 0; file < kFiles; ++file) {
    machine.traceFiles.AddFile(std::string(GetParam().folder) + "\\f" + std::to_string(file));
  }
  ScriptedPrompts prompts;
  Program program(machine.platform, prompts);
  program.mainWindow.FormCreate(806, false);
  program.OptionsCreated();
  machine.waitLoop.dispatches = 0;
  GetParam().erase(machine, program, prompts);
  EXPECT_FALSE(machine.traceFiles.Has(std::string(GetParam().folder) + "\\f0"));
  const auto paced = static_cast<int>(GetParam().walks * kFiles / kPumpEvery);
  EXPECT_GE(machine.waitLoop.dispatches, paced);
  EXPECT_LE(machine.waitLoop.dispatches, paced + 8);
}

INSTANTIATE_TEST_SUITE_P(EveryErase, ErasePaceTest,
                         ::testing::Values(PaceCase{"TheWindowsAndTheTrays", "C:\\Temp", 1,
                                                    [](MemoryPlatform&, Program& program, ScriptedPrompts& prompts) {
                                                      prompts.Script(Answer::Ok);  // "Are you sure ..."
                                                      program.mainWindow.EraseStuffClick();
                                                    }},
                                           PaceCase{
                                               "TheCommandsAndTheLogOns", "C:\\Temp", 1,
                                               [](MemoryPlatform& m, Program& program, ScriptedPrompts&) {
                                                 MemoryTraceLook look(m.traceFiles);
                                                 KeptReport kept(m.files, m.shell);
                                                 UnattendedErase(m.platform, program.eraseGuard, look, kept).Run({});
                                               }},
                                           PaceCase{"TheViewers", "C:\\C\\Content.IE5\\X", 2,
                                                    [](MemoryPlatform& m, Program& program, ScriptedPrompts&) {
                                                      TDemo& viewer = program.demo;
                                                      viewer.Demo1Click();
                                                      viewer.dHistory.SetChecked(false);
                                                      viewer.dCookies.SetChecked(false);
                                                      viewer.ToolButton1.Click();
                                                      m.waitLoop.dispatches = 0;  // the view's own
                                                      viewer.EraseStuff.Click();
                                                    }}),
                         [](const auto& info) { return std::string(info.param.what); });

}  // namespace
// "Erase report" shows the last erase: one that could not be kept is shown
// from memory until a later one is kept, which every process then shows.
TEST(KeptReportTest, AReportThatCannotBeKeptIsShownUntilALaterOneIs) {
  MemoryPlatform machine;
  machine.shell.specialFolders[SpecialFolder::AppData] = "C:\\AD";
  KeptReport window(machine.files, machine.shell);
  KeptReport other(machine.files, machine.shell);
  EXPECT_EQ(window.Load(), std::nullopt);
  window.Save("first");
  machine.files.unwritableFolders.insert("C:\\AD\\Vandrel");
  EXPECT_THROW(window.Save("second"), PlatformError);
  const std::string second = window.Load().value_or("");
  EXPECT_EQ(second.rfind(kReportNotKept, 0), 0u) << second;  // said first
  EXPECT_EQ(second.substr(second.size() - 6), "second");
  EXPECT_EQ(other.Load(), "first");
  machine.files.unwritableFolders.clear();
  other.Save("third");
  EXPECT_EQ(window.Load(), "third") << "another process's later report is the newest";
  machine.files.unwritableFolders.insert("C:\\AD\\Vandrel");
  EXPECT_THROW(window.Save("fourth"), PlatformError);
  machine.files.unwritableFolders.clear();
  window.Save("fifth");
  EXPECT_EQ(other.Load(), "fifth");
  EXPECT_EQ(window.Load(), "fifth");
}

}  // namespace vandrel
