#include "BenchWorkload.h"

#include <algorithm>
#include <random>
#include <set>

#include "blocklist/TitleSuffix.h"
#include "platform/memory/MemorySystemInfo.h"

namespace vandrel {
namespace {

constexpr std::uint32_t kOverlappedWindowStyle = 0x00CF0000;  // includes the maximise box
constexpr std::uint32_t kToolWindowStyle = 0x80880000;

// Twenty page titles, each used by exactly one frame.
constexpr const char* kFramePages[kBenchFrameCount] = {
    "Weather forecast",  "Online banking",  "Search results",   "City news",       "Train timetable",
    "Recipe of the day", "Football scores", "Photo album",      "Stock quotes",    "Library catalogue",
    "Garden tips",       "Job offers",      "Cinema programme", "Holiday rentals", "Chess club",
    "Used cars",         "Radio guide",     "Hiking trails",    "Book reviews",    "Town council"};

constexpr const char* kOrdinaryClasses[] = {"Shell_TrayWnd",      "Progman",     "CabinetWClass", "#32770",
                                            "ConsoleWindowClass", "Notepad",     "WorkerW",       "TZAVOClass",
                                            "tooltips_class32",   "MSCTFIME UI", "SysShadow",     "Button"};

constexpr const char* kOrdinaryTitles[] = {
    "Program Manager", "My Documents", "Untitled - Notepad", "Command Prompt", "Volume Control", "Inbox",
    "Vandrel",         "Printers",     "Calculator",         "Task Manager",   "Control Panel"};

// Word pieces of the generated entries; Latin-1 letters come separately.
constexpr const char* kSyllables[] = {"ka",  "lo",  "mi",  "ne",  "ru",  "sa",  "ti",  "vo",  "zen", "bar", "cor",
                                      "dul", "fen", "gar", "hos", "jul", "kes", "lim", "mor", "nap", "pir", "quo",
                                      "ros", "sul", "tam", "ung", "vex", "wol", "yar", "zib", "xxx", "win", "bet"};
constexpr const char* kLatin1Letters[] = {"\xE9", "\xFC", "\xE5", "\xF1", "\xDF", "\xE6", "\xF8", "\xE7"};

template <typename T, std::size_t N>
const T& Pick(const T (&items)[N], std::mt19937& random) {
  return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

bool Chance(std::mt19937& random, int percent) { return std::uniform_int_distribution<int>(1, 100)(random) <= percent; }

// Lower-case letters (ASCII or Latin-1) that the table maps to something else.
void RaiseCase(char& ch, const UpperCaseTable& upper) { ch = static_cast<char>(upper[static_cast<unsigned char>(ch)]); }

std::string RandomEntry(std::mt19937& random, const UpperCaseTable& upper) {
  const auto length = std::uniform_int_distribution<std::size_t>(3, 30)(random);
  std::string entry;
  while (entry.size() < length) {
    if (!entry.empty() && Chance(random, 25)) entry += ' ';
    entry += Chance(random, 8) ? Pick(kLatin1Letters, random) : Pick(kSyllables, random);
  }
  entry.resize(length);
  if (entry.back() == ' ') entry.back() = 'e';

  // Users type entries as they come: lower, Title, UPPER or anyhow.
  switch (std::uniform_int_distribution<int>(0, 3)(random)) {
    case 0: break;
    case 1:
      for (std::size_t i = 0; i < entry.size(); ++i) {
        if (i == 0 || entry[i - 1] == ' ') RaiseCase(entry[i], upper);
      }
      break;
    case 2:
      for (char& ch : entry) RaiseCase(ch, upper);
      break;
    default:
      for (char& ch : entry) {
        if (Chance(random, 30)) RaiseCase(ch, upper);
      }
  }
  return entry;
}

}  // namespace

std::vector<std::string> OpenBenchDesktop(MemoryDesktop& desktop, const std::string& titleSuffix) {
  std::vector<std::string> titleParts;
  std::size_t ordinary = 0;
  const std::size_t total = kBenchFrameCount + kBenchOrdinaryWindowCount;
  const std::size_t spacing = total / kBenchFrameCount;
  for (std::size_t i = 0; i < total; ++i) {
    if (i % spacing == spacing / 2 && titleParts.size() < kBenchFrameCount) {
      std::string titlePart = std::string(kFramePages[titleParts.size()]) + " " + std::to_string(titleParts.size() + 1);
      desktop.Open(titlePart + " " + titleSuffix, kBrowserFrameClass, kOverlappedWindowStyle);
      titleParts.push_back(std::move(titlePart));
      continue;
    }
    const std::size_t n = ordinary++;
    const std::string title =
        n % 5 == 0 ? std::string()
                   : std::string(kOrdinaryTitles[n % std::size(kOrdinaryTitles)]) + " " + std::to_string(n);
    desktop.Open(title, kOrdinaryClasses[n % std::size(kOrdinaryClasses)],
                 n % 3 == 0 ? kToolWindowStyle : kOverlappedWindowStyle);
  }
  return titleParts;
}

std::vector<std::string> MakeBlockEntries(std::size_t count, std::uint32_t seed, const std::vector<std::string>& avoid,
                                          const UpperCaseTable& upper) {
  std::mt19937 random(seed);
  std::vector<std::string> entries;
  std::set<std::string> seen;  // upper-cased: the list holds no duplicates ignoring case
  std::string upperEntry;
  while (entries.size() < count) {
    std::string entry = RandomEntry(random, upper);
    UpperCaseInto(entry, upper, upperEntry);
    if (seen.contains(upperEntry)) continue;
    if (std::any_of(avoid.begin(), avoid.end(),
                    [&](const std::string& text) { return ContainsIgnoringCase(text, entry, upper); })) {
      continue;
    }
    seen.insert(upperEntry);
    entries.push_back(std::move(entry));
  }
  return entries;
}

BenchWorkload::BenchWorkload(std::size_t entryCount, BlockMatch match, DesktopDouble desktop)
    : upper_(MemorySystemInfo().UpperCasing()),
      titleSuffix_(kDefaultTitleSuffix),
      titleParts_(OpenBenchDesktop(memoryDesktop_, titleSuffix_)),
      indexedDesktop_(memoryDesktop_),
      desktopDouble_(desktop),
      desktop_(desktop == DesktopDouble::Indexed ? static_cast<Desktop&>(indexedDesktop_) : memoryDesktop_),
      entries_(MakeBlockEntries(entryCount, kBenchSeed, titleParts_, upper_)),
      blockList_(upper_),
      emptyList_(upper_),
      scan_(desktop_, settings_, blockList_, titleSuffix_, events_),
      scanWithoutList_(desktop_, settings_, emptyList_, titleSuffix_, events_),
      naivePass_(desktop_, entries_, upper_, titleSuffix_, events_) {
  settings_.LimitEnabled = true;
  settings_.LimitWindows = 25;
  if (match == BlockMatch::OneFrame && !entries_.empty()) entries_[entries_.size() / 2] = kMatchingEntry;
  blockList_.Assign(entries_);
  Tick();
  NaiveTick();
  events_ = CountingEvents();
}

std::size_t BenchWorkload::TakePosted() {
  if (desktopDouble_ == DesktopDouble::Indexed) return indexedDesktop_.TakePostedCount();
  const std::size_t posted = memoryDesktop_.Posted().size();
  memoryDesktop_.Posted().clear();  // the storage stays, so later ticks do not allocate for it
  return posted;
}

std::size_t BenchWorkload::Tick() {
  scan_.Tick();
  return TakePosted();
}

std::size_t BenchWorkload::NaiveTick() {
  scanWithoutList_.Tick();
  naivePass_.Run();
  return TakePosted();
}

}  // namespace vandrel
