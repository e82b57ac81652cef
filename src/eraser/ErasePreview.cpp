#include "eraser/ErasePreview.h"

#include <set>

#include "eraser/CacheContainerGate.h"

#include "eraser/EraseCommand.h"
#include "eraser/EraseSteps.h"
#include "eraser/FolderWalk.h"
#include "platform/FullPath.h"
#include "platform/TraceFiles.h"

namespace vandrel {
namespace {

// Where the stand-ins write: the report, under the step that runs.
struct Recorder {
  EraseReport& report;
  std::string step;

  void Add(PlaceFate fate, const std::string& place, const std::string& why = {}) {
    report.Add({step, fate, place, 0, 0, why});
  }
};

std::string RootName(RootKey root) {
  return root == RootKey::LocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
}

// The steps' deletes: each folder looked at and reported with what it holds.
class PreviewFiles : public TraceFiles {
 public:
  PreviewFiles(TraceLook& look, Recorder& recorder, const std::function<void()>& pump)
      : look_(look), recorder_(recorder), pump_(pump) {}

  DeleteCounts DeleteTree(const std::string& folder, const DeleteProgress&) override {
    return Report(folder, "*", LookAt::WholeFolder, false);
  }
  DeleteCounts DeleteMatching(const std::string& folder, const std::string& mask, const KeptNames& kept,
                              const DeleteProgress&) override {
    return Report(folder, mask, LookAt::EmptiedFolder, kept);
  }
  WipeOutcome WipeIndexFile(const std::string& file) override {
    if (!look_.IsFile(file)) return WipeOutcome::Missing;
    recorder_.Add(PlaceFate::Wiped, file);
    return WipeOutcome::Wiped;
  }
  // The gate's look into a URL-cache container: judged as the erase judges
  // it, then each link it would remove, found once.
  DeleteCounts RemoveLinksInside(const std::string& folder, const DeleteProgress&) override {
    const FolderWalk walk = WalkFolder(look_, folder, "*", LookAt::EmptiedFolder, false, pump_);
    DeleteCounts counts;
    counts.refused = walk.look == FolderLook::Refused;
    counts.rootWasLink = walk.look == FolderLook::Link;
    counts.unreachable = walk.look == FolderLook::Unreachable;
    counts.skipped = walk.unreadable.size() + walk.keptLinks.size() + walk.tooDeep.size() +
                     (walk.look == FolderLook::Unreadable ? 1 : 0);
    for (const std::string& link : walk.keptLinks) {
      recorder_.Add(PlaceFate::Stayed, link, kWhyLinkStayed);
      linksTold_.insert(link);
    }
    for (const std::string& link : walk.links) {
      recorder_.Add(PlaceFate::RemovedLink, link, kWhyLinkRemoved);
      linksTold_.insert(link);
      ++counts.removed;
    }
    return counts;
  }
  bool IndexIsWiped(const std::string& file) override { return look_.IsWipedIndexFile(file); }
  // Judged as the erase judges a delete of everything in it, then read.
  ContainerIndex ContainerIndexOf(const std::string& folder) override {
    std::vector<LookedEntry> entries;
    const FolderLook look = look_.List(folder, "*", LookAt::EmptiedFolder, entries);
    if (look == FolderLook::Unreadable) return ContainerIndex::Unreadable;
    if (look != FolderLook::Listed) return ContainerIndex::NotEntered;
    return JudgeContainer(entries,
                          [&](const std::string& name) { return look_.StartsAsIndex(PathUnder(folder, name)); });
  }

 private:
  DeleteCounts Report(const std::string& folder, const std::string& mask, LookAt at, const KeptNames& kept) {
    const FolderWalk walk = WalkFolder(look_, folder, mask, at, kept, pump_);
    const std::string place = mask == "*" || mask == "*.*" ? folder : PathUnder(folder, mask);
    DeleteCounts counts;
    switch (walk.look) {
      case FolderLook::Missing: break;
      case FolderLook::Unreachable:
        recorder_.Add(PlaceFate::NotReached, place, kWhyUnreachable);
        counts.unreachable = true;
        break;
      case FolderLook::Refused:
        recorder_.Add(PlaceFate::Refused, place, RefusalWhy(folder));
        counts.refused = true;
        break;
      case FolderLook::Unreadable: recorder_.Add(PlaceFate::Stayed, place, kWhyUnreadable); break;
      case FolderLook::Link:
        // A tree that is a link goes as the link alone.
        if (at == LookAt::WholeFolder) {
          recorder_.Add(PlaceFate::RemovedLink, folder, kWhyLinkRemoved);
        } else {
          recorder_.Add(PlaceFate::Stayed, place, kWhyFolderIsLink);
          counts.rootWasLink = true;
        }
        break;
      case FolderLook::Listed:
        if (walk.files > 0 || walk.links.empty()) {
          recorder_.report.Add({recorder_.step, PlaceFate::Emptied, place, walk.files, walk.bytes, {}});
        }
        for (const std::string& link : walk.links) {
          if (linksTold_.count(link) == 0) recorder_.Add(PlaceFate::RemovedLink, link, kWhyLinkRemoved);
        }
        for (const std::string& link : walk.keptLinks) {
          if (linksTold_.count(link) == 0) recorder_.Add(PlaceFate::Stayed, link, kWhyLinkStayed);
        }
        for (const std::string& folderLeft : walk.unreadable) {
          recorder_.Add(PlaceFate::Stayed, folderLeft, kWhyUnreadable);
        }
        for (const std::string& folderLeft : walk.tooDeep) recorder_.Add(PlaceFate::Stayed, folderLeft, TooDeepWhy());
        break;
    }
    return counts;
  }

  TraceLook& look_;
  Recorder& recorder_;
  const std::function<void()>& pump_;
  std::set<std::string> linksTold_;  // by the gate, before the steps meet them
};

// Reads pass through; a delete of what is there is reported, not done.
class PreviewRegistry : public Registry {
 public:
  PreviewRegistry(Registry& registry, Recorder& recorder) : registry_(registry), recorder_(recorder) {}

  bool KeyExists(RootKey root, const std::string& path) override { return registry_.KeyExists(root, path); }
  std::optional<RegistryValue> ReadValue(RootKey root, const std::string& path, const std::string& name) override {
    return registry_.ReadValue(root, path, name);
  }
  std::optional<RegistryValue> ReadValueOrThrow(RootKey root, const std::string& path,
                                                const std::string& name) override {
    return registry_.ReadValueOrThrow(root, path, name);
  }
  std::optional<std::string> ReadPath(RootKey root, const std::string& path, const std::string& name) override {
    return registry_.ReadPath(root, path, name);
  }
  bool CreateKey(RootKey, const std::string&) override { return false; }
  void WriteString(RootKey, const std::string&, const std::string&, const std::string&) override {}
  void WriteDword(RootKey, const std::string&, const std::string&, std::uint32_t) override {}
  bool DeleteValue(RootKey root, const std::string& path, const std::string& name) override {
    if (!registry_.ReadValue(root, path, name)) return false;
    recorder_.Add(PlaceFate::KeyDeleted, RootName(root) + path + " value " + name);
    return true;
  }
  bool DeleteKeyTree(RootKey root, const std::string& path) override {
    if (!registry_.KeyExists(root, path)) return false;
    recorder_.Add(PlaceFate::KeyDeleted, RootName(root) + path);
    return true;
  }

 private:
  Registry& registry_;
  Recorder& recorder_;
};

// Folders and the environment pass through; the shell's lists are reported.
class PreviewShell : public Shell {
 public:
  PreviewShell(Shell& shell, Recorder& recorder) : shell_(shell), recorder_(recorder) {}

  std::string EnvironmentVariable(const std::string& name) override { return shell_.EnvironmentVariable(name); }
  std::string SpecialFolderPath(SpecialFolder kind) override { return shell_.SpecialFolderPath(kind); }
  std::optional<std::vector<std::string>> Subfolders(const std::string& folder) override {
    return shell_.Subfolders(folder);
  }
  void ClearRecentDocuments() override { recorder_.Add(PlaceFate::ShellEmptied, "the recent documents list"); }
  bool EmptyRecycleBin() override {
    recorder_.Add(PlaceFate::ShellEmptied, "the recycle bin of every drive");
    return true;
  }

 private:
  Shell& shell_;
  Recorder& recorder_;
};

class PreviewCache : public UrlCacheEraser {
 public:
  explicit PreviewCache(Recorder& recorder) : recorder_(recorder) {}
  void DeleteAllEntries(CacheSearch search, const std::function<void()>&, const CacheEntryKept&) override {
    recorder_.Add(PlaceFate::CacheEntries, CacheEntriesText(search), kWhyThroughLibrary);
  }

 private:
  Recorder& recorder_;
};

class PreviewPrompts : public Prompts {
 public:
  explicit PreviewPrompts(Recorder& recorder) : recorder_(recorder) {}
  Answer Message(MessageKind, const std::string& text, MessageButtons) override {
    recorder_.Add(PlaceFate::Told, text);
    return Answer::Ok;
  }
  SilenceableAnswer SilenceableMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override {
    return {Message(kind, text, buttons), false};
  }

 private:
  Recorder& recorder_;
};

}  // namespace

const char* RefusalWhy(const std::string& folder) {
  const auto path = ParseFullPath(folder);
  if (folder.size() < 4 && path && IsRoot(*path)) return kWhyRoot;
  if (folder.size() < 4 || !path) return kWhyNotFullPath;
  return IsRoot(*path) ? kWhyRoot : kWhyProtected;
}

std::string TooDeepWhy() {
  return "more than " + GroupedNumber(kMaxWalkDepth) + " folders deep: left with all it holds";
}

namespace {

// The stand-ins, and the erase's own gate and tools over them.
struct PreviewParts {
  PreviewParts(Registry& registry, Shell& shell, TraceLook& look, Recorder& recorder,
               const std::function<void()>& pump)
      : files(look, recorder, pump),
        registry(registry, recorder),
        shell(shell, recorder),
        cache(recorder),
        prompts(recorder) {
    // What the erase's report is told, the preview tells too.
    tools.containerKept = [&recorder](const std::string& folder, const std::string& why) {
      recorder.Add(PlaceFate::Refused, folder, why);
    };
    tools.notListed = [&recorder](const std::string& folder) {
      recorder.Add(PlaceFate::Stayed, folder, kWhyNotListed);
    };
  }

  PreviewFiles files;
  PreviewRegistry registry;
  PreviewShell shell;
  PreviewCache cache;
  PreviewPrompts prompts;
  CacheContainerGate gate{cache, tools};
  EraseTools tools{registry, files, shell, prompts, gate, {}};
};

}  // namespace

EraseReport PreviewErase(const EraseSelection& chosen, Registry& registry, Shell& shell, TraceLook& look,
                         const std::function<void()>& pump, const CookieEntriesRead& cookieEntries) {
  EraseReport report;
  Recorder recorder{report, "Erase"};
  if (!chosen.Any()) {
    recorder.Add(PlaceFate::Told, kNothingSelected);
    return report;
  }
  PreviewParts parts(registry, shell, look, recorder, pump);
  // The kept cookies, as the erase's walks would pass them over, so that
  // the cookie folder keeps their files here too.
  const bool cookiesChosen = chosen.cookies || chosen.all;
  if (cookiesChosen) {
    parts.tools.cookiesToKeep = ReadCookiesToKeep(registry);
    if (!parts.tools.cookiesToKeep.Empty() && cookieEntries) {
      for (const UrlCacheEntry& entry : cookieEntries()) parts.tools.KeepsCacheEntry(entry);
    }
  }
  {
    // The URL-cache calls go through the gate, as the erase's do: the links
    // it would remove, and the containers it would keep from the library.
    const auto gate = parts.gate.Begin();
    for (const CacheStep& step : ChosenCacheSteps(chosen)) {
      recorder.step = step.name;
      parts.gate.DeleteAllEntries(step.search, {}, {});
    }
    for (const EraseStep& step : EraseSteps()) {
      if (!step.chosen(chosen)) continue;
      recorder.step = step.name;
      step.run(parts.tools);
    }
    recorder.step = "Erase";  // what the erase does as it ends
  }
  if (cookiesChosen) {
    for (const ReportEntry& line : parts.tools.KeptCookieLines()) recorder.report.Add(line);
  }
  for (const ContainerLeft& left : parts.gate.Left()) {
    recorder.report.Add({ContainerName(left.container), PlaceFate::LeftToWalk, left.folder, 0, 0,
                         ReasonText(left.reason)});
  }
  return report;
}

}  // namespace vandrel
