#include "eraser/EraseReport.h"

#include <algorithm>

namespace vandrel {
namespace {

struct FateWords {
  const char* preview;  // what the erase would do
  const char* after;    // what it did
};

FateWords WordsOf(PlaceFate fate) {
  switch (fate) {
    case PlaceFate::Emptied: return {"clean", "cleaned"};
    case PlaceFate::RemovedLink: return {"remove link", "link"};
    case PlaceFate::Wiped: return {"wipe", "wiped"};
    case PlaceFate::KeyDeleted: return {"delete key", "deleted key"};
    case PlaceFate::CacheEntries: return {"delete", "deleted"};
    case PlaceFate::ShellEmptied: return {"empty", "emptied"};
    case PlaceFate::Stayed: return {"stays", "stayed"};
    case PlaceFate::Refused: return {"refused", "refused"};
    case PlaceFate::NotReached: return {"not there", "not there"};
    case PlaceFate::LeftToWalk: return {"walk", "walked"};
    case PlaceFate::CookiesKept: return {"keep", "kept"};
    case PlaceFate::Told: return {"message", "message"};
  }
  return {"", ""};
}

}  // namespace

std::string GroupedNumber(std::uint64_t number) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (std::size_t at = 0; at < digits.size(); ++at) {
    if (at > 0 && (digits.size() - at) % 3 == 0) grouped += ',';
    grouped += digits[at];
  }
  return grouped;
}

namespace {

std::string Plural(std::uint64_t count, const char* one, const char* many) {
  return GroupedNumber(count) + " " + (count == 1 ? one : many);
}

std::string LineOf(const ReportEntry& entry, bool preview) {
  const FateWords words = WordsOf(entry.fate);
  std::string line = std::string("    ") + (preview ? words.preview : words.after) + "  ";
  line += entry.fate == PlaceFate::Told ? "\"" + entry.place + "\"" : entry.place;
  if (entry.fate == PlaceFate::Emptied) {
    line += preview ? ": " + Plural(entry.files, "file", "files") + ", " + Plural(entry.bytes, "byte", "bytes")
                    : ": " + GroupedNumber(entry.files) + " removed";
  }
  if (!entry.why.empty()) line += " (" + entry.why + ")";
  return line;
}

}  // namespace

std::string ReportText(const EraseReport& report) {
  if (report.kind == EraseReport::Kind::NoEraseYet) return kNoEraseYet;
  const bool preview = report.kind == EraseReport::Kind::Preview;
  std::string text = preview ? kPreviewHeading : kReportHeading;
  // Grouped by step, in the order the steps first come: the URL-cache
  // entries of all passes go before the passes, but belong to their step.
  std::vector<std::string> steps;
  for (const ReportEntry& entry : report.entries) {
    if (std::find(steps.begin(), steps.end(), entry.step) == steps.end()) steps.push_back(entry.step);
  }
  for (const std::string& step : steps) {
    text += "\r\n\r\n" + step;
    for (const ReportEntry& entry : report.entries) {
      if (entry.step == step) text += "\r\n" + LineOf(entry, preview);
    }
  }
  if (report.entries.empty()) text += preview ? "\r\n\r\nNothing to erase." : "\r\n\r\nNothing stayed.";
  return text;
}

}  // namespace vandrel
