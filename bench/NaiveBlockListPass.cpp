#include "NaiveBlockListPass.h"

#include "blocklist/TitleSuffix.h"

namespace vandrel {

void UpperCaseInto(std::string_view text, const UpperCaseTable& upper, std::string& out) {
  out.resize(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[i] = static_cast<char>(upper[static_cast<unsigned char>(text[i])]);
  }
}

bool ContainsIgnoringCase(std::string_view text, std::string_view entry, const UpperCaseTable& upper) {
  if (entry.empty()) return false;
  std::string upperText, upperEntry;
  UpperCaseInto(text, upper, upperText);
  UpperCaseInto(entry, upper, upperEntry);
  return upperText.find(upperEntry) != std::string::npos;
}

NaiveBlockListPass::NaiveBlockListPass(Desktop& desktop, const std::vector<std::string>& entries,
                                       const UpperCaseTable& upper, const std::string& titleSuffix, ScanEvents& events)
    : desktop_(desktop), entries_(entries), upper_(upper), titleSuffix_(titleSuffix), events_(events) {}

void NaiveBlockListPass::Run() {
  desktop_.ListVisibleWindows(windows_);
  for (const WindowHandle window : windows_) {
    desktop_.ReadTitle(window, title_);
    if (title_.empty()) continue;
    desktop_.ReadClassName(window, className_);
    if (className_.view().find(kBrowserFrameClass) == std::string_view::npos) continue;

    UpperCaseInto(TitlePart(title_, titleSuffix_, LeadByteTable{}), upper_, upperTitlePart_);
    for (const std::string& entry : entries_) {
      if (entry.empty()) continue;
      UpperCaseInto(entry, upper_, upperEntry_);
      if (upperTitlePart_.find(upperEntry_) == std::string::npos) continue;
      desktop_.Post(window, kWmClose, 0, 0);
      events_.CountClosedWindow();
    }
  }
}

}  // namespace vandrel
