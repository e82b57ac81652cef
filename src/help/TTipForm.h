#pragma once
#include <functional>

#include "platform/DocumentOpener.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"

namespace vandrel {

inline constexpr const char* kTipShownValue = "TOD";
inline constexpr const char* kTipCaption = "Tip of the Day";
inline constexpr const char* kTipHeading = "Vandrel";
inline constexpr const char* kTipText =
    "You can add a title to the block list simply by clicking with a right mouse button on the Vandrel icon "
    "in the system tray (near the clock) and choosing the title you want to block.";
inline constexpr const char* kTipOkCaption = "&Ok";
inline constexpr const char* kTipHelpCaption = "Show &Help";

// The tip of the day: its one command besides closing.
class TTipForm {
 public:
  TTipForm(SystemInfo& system, DocumentOpener& documents) : system_(system), documents_(documents) {}
  // "Show &Help": the help file opens; the tip stays open.
  void Button2Click();

 private:
  SystemInfo& system_;
  DocumentOpener& documents_;
};

// At the very first start, before any other window: `showTip` shows the tip
// modally and returns once it is closed, however it was closed; then TOD is
// written, so the tip is never shown again for this user. True when it was
// shown.
bool ShowTipAtFirstStart(Registry& registry, const std::function<void()>& showTip);

}  // namespace vandrel
