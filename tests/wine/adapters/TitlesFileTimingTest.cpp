// How long titles.dat of 100,000 entries takes to save and load with the
// real file system and collation. Reports the times; passes on any speed.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "blocklist/TitlesStore.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32TextCollation.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

// The real system, with the executable moved into a scratch folder so the
// file lands there.
struct ScratchSystem : Win32SystemInfo {
  std::string executable;
  std::string ExecutablePath() override { return executable; }
};

std::vector<std::string> Titles(bool withDigits) {
  static const char* const kWords[] = {"Cheap", "offers", "casino", "Win", "prizes", "Re:", "winner", "news",
                                       "\xC4rger", "Daily", "free", "\xE9t\xE9", "poker", "deals", "Top"};
  std::vector<std::string> titles;
  unsigned state = 12345;
  for (int i = 0; i < 100'000; ++i) {
    std::string title;
    for (int w = 0; w < 5; ++w) {
      state = state * 1103515245u + 12345u;
      if (w) title += ' ';
      title += kWords[(state >> 16) % 15];
    }
    if (withDigits) {
      title += ' ';
      title += std::to_string(i);
    } else {
      title += " page ";
      title += static_cast<char>('a' + i % 26);
    }
    titles.push_back(title);
  }
  return titles;
}

long long MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

void MeasureRoundTrip(const char* layout, bool withDigits) {
  ScratchSystem system;
  char folder[MAX_PATH];
  GetModuleFileNameA(nullptr, folder, MAX_PATH);
  system.executable = folder;
  const std::string titlesPath = system.executable.substr(0, system.executable.find_last_of('\\') + 1) +
                                 "timing-" + layout + "\\titles.dat";
  const std::string titlesFolder = titlesPath.substr(0, titlesPath.find_last_of('\\'));
  CreateDirectoryA(titlesFolder.c_str(), nullptr);
  system.executable = titlesFolder + "\\Vandrel.exe";

  Win32FileSystem files;
  Win32TextCollation collation;
  ScriptedPrompts prompts;
  TitlesStore store(files, system, prompts);
  const UpperCaseTable upper = system.UpperCasing();

  BlockList original(upper, collation);
  store.LoadTitles(original);  // the start-up's load, before any save: no file yet
  original.AddAll(Titles(withDigits));

  auto start = std::chrono::steady_clock::now();
  store.SaveTitlesClick(original);
  const long long saveMs = MillisecondsSince(start);

  BlockList loaded(upper, collation);
  start = std::chrono::steady_clock::now();
  store.LoadTitles(loaded);
  const long long loadMs = MillisecondsSince(start);

  DeleteFileA(titlesPath.c_str());
  RemoveDirectoryA(titlesFolder.c_str());

  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(loaded.Count(), 100'000u);
  EXPECT_EQ(loaded.Entries(), original.Entries());
  std::printf("titles.dat, 100000 entries, %s layout: save %lld ms, load %lld ms\n", layout, saveMs, loadMs);
  ::testing::Test::RecordProperty(std::string(layout) + "_save_ms", static_cast<int>(saveMs));
  ::testing::Test::RecordProperty(std::string(layout) + "_load_ms", static_cast<int>(loadMs));
}

TEST(TitlesFileTiming, HundredThousandEntriesInThePlainLayout) { MeasureRoundTrip("plain", false); }

TEST(TitlesFileTiming, HundredThousandEntriesInTheEscapedLayout) { MeasureRoundTrip("escaped", true); }

}  // namespace
}  // namespace vandrel
