// Measures saving and loading titles.dat of 100,000 entries through the real
// file system and collation under Wine, each as a multiple of its floor in
// the same run: writing and flushing the same bytes with one WriteFile, and
// reading them back with one ReadFile. Both layouts.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchWorkload.h"
#include "WineTiming.h"
#include "blocklist/TitlesFile.h"
#include "blocklist/TitlesStore.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32TextCollation.h"
#include "ui/memory/ScriptedPrompts.h"

namespace {

using namespace vandrel;

constexpr std::size_t kEntries = 100'000;
constexpr int kRounds = 7;

template <typename Work>
double MillisecondsOf(Work&& work) {
  return MicrosecondsOf(work) / 1000;
}

// The real system with the executable in a scratch folder, so titles.dat lands there.
struct ScratchFolderSystem : Win32SystemInfo {
  std::string folder;
  std::string ExecutablePath() override { return folder + "\\Vandrel.exe"; }
};

void WriteRaw(const std::string& path, const std::string& content) {
  const UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  FlushFileBuffers(file.get());
}

std::string ReadRaw(const std::string& path, std::size_t size) {
  const UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  std::string content(size, '\0');
  DWORD read = 0;
  ReadFile(file.get(), content.data(), static_cast<DWORD>(size), &read, nullptr);
  content.resize(read);
  return content;
}

// Prints the layout's times and ratios; false when a round trip lost entries
// or showed a message.
bool Measure(const char* layout, std::vector<std::string> entries, const std::string& folder) {
  ScratchFolderSystem system;
  system.folder = folder;
  Win32FileSystem files(system.ExecutablePath());
  Win32TextCollation collation;
  ScriptedPrompts prompts;
  TitlesStore store(files, system, prompts);
  const UpperCaseTable upper = system.UpperCasing();
  const std::string titles = store.TitlesPath();
  const std::string raw = folder + "\\raw.dat";

  BlockList list(upper, collation);
  store.LoadTitles(list);  // no file yet: later saves may write
  list.AddAll(entries);
  const std::string content = EncodeTitles(list.Entries());

  bool sound = true;
  std::vector<double> save, load, rawWrite, rawRead;
  for (int round = 0; round < kRounds; ++round) {  // interleaved, so load on the machine hits all alike
    rawWrite.push_back(MillisecondsOf([&] { WriteRaw(raw, content); }));
    save.push_back(MillisecondsOf([&] { store.SaveTitlesClick(list); }));
    rawRead.push_back(MillisecondsOf([&] { sound = ReadRaw(raw, content.size()) == content && sound; }));
    BlockList loaded(upper, collation);
    load.push_back(MillisecondsOf([&] { store.LoadTitles(loaded); }));
    sound = sound && loaded.Count() == entries.size();
  }
  DeleteFileA(titles.c_str());
  DeleteFileA(raw.c_str());
  sound = sound && prompts.Messages().empty();

  const double saveMs = Median(save), loadMs = Median(load);
  const double writeMs = Median(rawWrite), readMs = Median(rawRead);
  std::printf("wine: titles.dat %s layout, %zu entries, %zu bytes: save %.1f ms, load %.1f ms (median of %d)\n", layout,
              entries.size(), content.size(), saveMs, loadMs, kRounds);
  std::printf("wine: one WriteFile and flush %.1f ms, one ReadFile %.1f ms\n", writeMs, readMs);
  std::printf("ratio wine titles.dat %s save/raw write = %.1f\n", layout, saveMs / writeMs);
  std::printf("ratio wine titles.dat %s load/raw read = %.1f\n", layout, loadMs / readMs);
  return sound;
}

}  // namespace

int main() {
  char executable[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, executable, MAX_PATH);
  const std::string exePath(executable, length);
  const std::string folder = exePath.substr(0, exePath.find_last_of('\\')) + "\\titles-bench";
  CreateDirectoryA(folder.c_str(), nullptr);

  const UpperCaseTable upper = Win32SystemInfo().UpperCasing();
  std::vector<std::string> plain = MakeBlockEntries(kEntries, kBenchSeed, {}, upper);
  std::erase_if(plain, [](const std::string& entry) { return entry.find_first_of("07:") != std::string::npos; });
  std::vector<std::string> escaped = plain;
  for (std::size_t i = 0; i < escaped.size(); i += 10) escaped[i] += " 07:";  // one in ten needs escapes

  const bool plainSound = Measure("plain", plain, folder);
  const bool sound = Measure("escaped", escaped, folder) && plainSound;
  RemoveDirectoryA(folder.c_str());
  if (!sound) std::printf("titles.dat round trip lost entries or showed a message\n");
  return sound ? 0 : 1;
}
