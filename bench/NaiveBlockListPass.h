#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "monitor/WindowScan.h"
#include "platform/Desktop.h"
#include "platform/SystemInfo.h"

namespace vandrel {

// Writes `text` upper-cased byte by byte into `out`, reusing its storage.
void UpperCaseInto(std::string_view text, const UpperCaseTable& upper, std::string& out);

// Whether `entry` occurs in `text`, both upper-cased; an empty entry never does.
bool ContainsIgnoringCase(std::string_view text, std::string_view entry, const UpperCaseTable& upper);

// The block-list pass done the plain way, as the baseline the matcher is
// measured against: for every browser frame, every entry is upper-cased anew
// and searched for in the upper-cased title part. It posts and counts exactly
// what the scan's own block-list pass does.
class NaiveBlockListPass {
 public:
  NaiveBlockListPass(Desktop& desktop, const std::vector<std::string>& entries, const UpperCaseTable& upper,
                     const std::string& titleSuffix, ScanEvents& events);

  void Run();

 private:
  Desktop& desktop_;
  const std::vector<std::string>& entries_;
  UpperCaseTable upper_;
  const std::string& titleSuffix_;
  ScanEvents& events_;

  // Reused from run to run, as the scan reuses its own.
  std::vector<WindowHandle> windows_;
  std::string title_;
  ClassText className_;
  std::string upperTitlePart_;
  std::string upperEntry_;
};

}  // namespace vandrel
