#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "monitor/RecentlyClosed.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "settings/Settings.h"
#include "ui/Controls.h"

namespace vandrel {

inline constexpr const char* kNoticeCaption = "Notify of closed windows";
inline constexpr const char* kNoticeSetting = "NoticeEnabled";
inline constexpr const char* kOneClosedTitle = "Window closed";
// What the notification area's balloon holds (its fields less the end mark).
inline constexpr std::size_t kBalloonTitleLength = 63;
inline constexpr std::size_t kBalloonTextLength = 255;

struct Balloon {
  std::string title;
  std::string text;
  bool operator==(const Balloon&) const = default;
};

// "<page title> (<rule>)": the page title, or the whole title when it has
// none, cut so that the rule stays in sight.
std::string NoticeLine(const ClosedWindow& closed, const std::string& titleSuffix, const LeadByteTable& leadBytes);

// The tray's balloon about the windows the scan closed. The first close
// after a quiet spell waits a moment for the rest of its burst (pop-ups
// come in storms), and balloons come at most one per kQuiet: the closes in
// between are told together, "3 windows closed". Off while the setting
// NoticeEnabled is off; closes heard then are never told.
class CloseNotice {
 public:
  // Milliseconds.
  static constexpr std::uint32_t kGather = 1000;  // from the first close of a burst to its balloon
  static constexpr std::uint32_t kQuiet = 5000;   // from one balloon to the next
  static constexpr std::uint32_t kShownFor = 10000;

  // `timer` is a one-shot timer of the model's own; `clock` reads the
  // system's millisecond tick count (it may wrap).
  CloseNotice(Settings& settings, Registry& registry, const std::string& titleSuffix, const LeadByteTable& leadBytes,
              Timer& timer, std::function<std::uint32_t()> clock);

  // Windows the scan closed that had not been told of before, oldest first.
  void Closed(const std::vector<ClosedWindow>& closes);
  // The setting, turned over and stored at once; a refused write changes nothing.
  void Toggle();
  bool On() const { return settings_.NoticeEnabled; }

  std::function<void(const Balloon&)> show;  // set by the view that owns the icon

 private:
  void TimerFired();
  // Milliseconds until the pending closes are due; 0: now.
  std::uint32_t Wait(std::uint32_t now) const;
  Balloon Compose() const;

  Settings& settings_;
  Registry& registry_;
  const std::string& titleSuffix_;
  const LeadByteTable& leadBytes_;
  Timer& timer_;
  std::function<std::uint32_t()> clock_;
  std::vector<std::string> lines_;  // newest first, only as many as a balloon holds
  std::size_t pending_ = 0;         // closes not yet told
  std::uint32_t firstPendingAt_ = 0;
  std::uint32_t lastShownAt_ = 0;
  bool shownBefore_ = false;
};

}  // namespace vandrel
