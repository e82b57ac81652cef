// titles.dat of 100,000 entries saved and loaded again through the real file
// system and collation: a file of megabytes, read in many pieces, with
// Latin-1 letters sorted by the system, in both layouts. (Its speed is
// measured by bench/wine/TitlesFileUnderWine.cpp.)
#include <gtest/gtest.h>

#include <windows.h>

#include "blocklist/CryptString.h"
#include "blocklist/TitlesFile.h"
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
  static const char* const kWords[] = {"Cheap",    "offers", "casino", "Win",       "prizes", "Fwd",   "winner", "news",
                                       "\xC4rger", "Daily",  "free",   "\xE9t\xE9", "poker",  "deals", "Top"};
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

void ExpectRoundTrip(const char* layout, bool withDigits) {
  ScratchSystem system;
  char folder[MAX_PATH];
  GetModuleFileNameA(nullptr, folder, MAX_PATH);
  system.executable = folder;
  const std::string titlesPath =
      system.executable.substr(0, system.executable.find_last_of('\\') + 1) + "round-trip-" + layout + "\\titles.dat";
  const std::string titlesFolder = titlesPath.substr(0, titlesPath.find_last_of('\\'));
  CreateDirectoryA(titlesFolder.c_str(), nullptr);
  system.executable = titlesFolder + "\\Vandrel.exe";

  Win32FileSystem files(system.executable);
  Win32TextCollation collation;
  ScriptedPrompts prompts;
  TitlesStore store(files, system, prompts);
  const UpperCaseTable upper = system.UpperCasing();

  BlockList original(upper, collation);
  store.LoadTitles(original);  // the start-up's load, before any save: no file yet
  original.AddAll(Titles(withDigits));
  store.SaveTitlesClick(original);
  const std::string saved = files.ReadWhole(titlesPath);

  BlockList loaded(upper, collation);
  store.LoadTitles(loaded);

  DeleteFileA(titlesPath.c_str());
  RemoveDirectoryA(titlesFolder.c_str());

  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(loaded.Count(), 100'000u);
  // Not EXPECT_EQ: a failure would print megabytes.
  EXPECT_TRUE(loaded.Entries() == original.Entries()) << layout;
  EXPECT_TRUE(saved == EncodeTitles(original.Entries())) << layout;
  EXPECT_EQ(saved.starts_with(CryptString(kEscapedLayoutMarker)), withDigits) << layout;
}

TEST(TitlesFileRoundTrip, HundredThousandEntriesInThePlainLayout) { ExpectRoundTrip("plain", false); }

TEST(TitlesFileRoundTrip, HundredThousandEntriesInTheEscapedLayout) { ExpectRoundTrip("escaped", true); }

}  // namespace
}  // namespace vandrel
