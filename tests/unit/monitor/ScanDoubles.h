#pragma once
#include <string>
#include <vector>

#include "monitor/WindowScan.h"
#include "platform/memory/MemoryBrowserAddresses.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemorySystemInfo.h"

namespace vandrel {

inline const std::string kSuffix = "- Microsoft Internet Explorer";

// What the scan reported, as it reported it.
struct RecordingEvents : ScanEvents {
  void CountClosedWindow() override { ++closed; }
  void LimitRaised(int limit) override { raisedTo.push_back(limit); }
  void SetTrayIconIndex(int index) override {
    icon = index;
    closedWhenIconSet = closed;
  }
  int closed = 0;
  std::vector<int> raisedTo;
  int icon = -1;
  int closedWhenIconSet = -1;
};

// The scan over in-memory doubles, for the monitor's tests.
struct ScanDoubles {
  ScanDoubles() {
    scan.UseAllowed(allowedWindows);
    addresses.listed = [this](WindowHandle frame) { return desktop.IsOpen(frame); };
  }
  // A browser frame showing `page`: titled with the suffix, with a maximise box.
  WindowHandle Frame(const std::string& page) { return desktop.Open(page + " " + kSuffix, "IEFrame", kWsMaximizeBox); }

  MemoryDesktop desktop;
  MemorySystemInfo system;
  Settings settings;
  BlockList blockList{system.UpperCasing()};
  std::string suffix = kSuffix;
  RecordingEvents events;
  AllowedList allowed{system.UpperCasing()};
  MemoryBrowserAddresses addresses;
  FrameAddresses frameAddresses{addresses};
  AllowedWindows allowedWindows{allowed, frameAddresses};
  WindowScan scan{desktop, settings, blockList, suffix, events};
};

}  // namespace vandrel
