// The import of a plain-text block list: every line of the file that is not
// empty ends up in the list exactly once (ignoring case), no empty one does,
// what was there stays, no entry holds a line end, and the list is still
// written to and read back from titles.dat unchanged. The input up to the
// first NUL is the list before the import (lines), the rest is the file.
#include "FuzzCheck.h"
#include "blocklist/TitlesFile.h"
#include "blocklist/TitlesStore.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemorySystemInfo.h"
#include "ui/memory/ScriptedPrompts.h"

using namespace vandrel;
using vandrel::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string_view importedFile = input.substr(std::min(split + 1, input.size()));

  MemorySystemInfo system;
  BlockList list(system.UpperCasing());
  list.AddAll(SplitLines(input.substr(0, split)));
  const std::vector<std::string> before = list.Entries();

  MemoryFileSystem files;
  const std::string path = "C:\\Lists\\import.dat";
  files.files[path] = std::string(importedFile);
  ScriptedPrompts prompts;
  prompts.ScriptFile(path);
  TitlesStore store(files, system, prompts);
  store.ImportClick(list);

  for (const std::string& kept : before) Require(list.IndexOf(kept) >= 0, "the entries before the import stay");
  for (const std::string& line : SplitLines(importedFile)) {
    if (line.empty()) continue;
    Require(list.IndexOf(line) >= 0, "every imported line is in the list");
  }
  for (const std::string& entry : list.Entries()) {
    Require(entry.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos, "no line end in an entry");
  }
  const std::size_t added = list.Count() - before.size();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const bool wasThere = std::find(before.begin(), before.end(), list.Entry(i)) != before.end();
    if (wasThere) continue;
    Require(!list.Entry(i).empty(), "no empty line is imported");
    Require(list.IndexOf(list.Entry(i)) == static_cast<int>(i), "an imported line is added once");
  }
  Require(added <= SplitLines(importedFile).size(), "no more entries than lines");
  Require(DecodeTitles(EncodeTitles(list.Entries())) == list.Entries(), "the list survives titles.dat");
  return 0;
}
