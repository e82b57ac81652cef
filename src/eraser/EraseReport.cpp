#include "eraser/EraseReport.h"

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
    case PlaceFate::LeftToWalk: return {"walk", "walked"};
    case PlaceFate::Told: return {"message", "message"};
  }
  return {"", ""};
}

// 1234567 as "1,234,567".
std::string Grouped(std::uint64_t number) {
  std::string digits = std::to_string(number);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

std::string Plural(std::size_t count, const char* one, const char* many) {
  return Grouped(count) + " " + (count == 1 ? one : many);
}

std::string LineOf(const ReportEntry& entry, bool preview) {
  const FateWords words = WordsOf(entry.fate);
  std::string line = std::string("    ") + (preview ? words.preview : words.after) + "  ";
  line += entry.fate == PlaceFate::Told ? "\"" + entry.place + "\"" : entry.place;
  if (entry.fate == PlaceFate::Emptied) {
    line += preview ? ": " + Plural(entry.files, "file", "files") + ", " + Plural(entry.bytes, "byte", "bytes")
                    : ": " + Grouped(entry.files) + " removed";
  }
  if (!entry.why.empty()) line += " (" + entry.why + ")";
  return line;
}

}  // namespace

std::string ReportText(const EraseReport& report) {
  if (report.kind == EraseReport::Kind::NoEraseYet) return kNoEraseYet;
  const bool preview = report.kind == EraseReport::Kind::Preview;
  std::string text = preview ? kPreviewHeading : kReportHeading;
  const std::string* step = nullptr;
  for (const ReportEntry& entry : report.entries) {
    if (!step || *step != entry.step) {
      step = &entry.step;
      text += "\r\n\r\n" + entry.step;
    }
    text += "\r\n" + LineOf(entry, preview);
  }
  if (report.entries.empty()) text += preview ? "\r\n\r\nNothing to erase." : "\r\n\r\nNothing stayed.";
  return text;
}

}  // namespace vandrel
