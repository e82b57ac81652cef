#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/BrowserAddresses.h"

namespace vandrel {

// The shell's browser list as a map from frame to address; a frame not in
// it has no address the shell can give. A read ends at once unless the
// test holds the shell busy.
class MemoryBrowserAddresses : public BrowserAddresses {
 public:
  void StartReading() override {
    if (reading_) return;
    reading_ = true;
    ++reads;
    answer_.clear();
    for (const auto& [frame, address] : addresses) answer_.push_back({frame, address});
  }
  bool TakeAnswer(std::vector<FrameAddress>& into, std::uint32_t milliseconds) override {
    waited += milliseconds;
    if (!reading_ || busy) return false;
    reading_ = false;
    into.clear();
    for (const FrameAddress& read : answer_) {
      if (!listed || listed(read.frame)) into.push_back(read);
    }
    return true;
  }
  std::map<WindowHandle, std::string> addresses;
  // Which frames the shell still lists when its answer is taken: the
  // browser delists a frame as it closes, so a closed one is named no more.
  std::function<bool(WindowHandle)> listed;
  bool busy = false;    // the shell does not answer while set
  int reads = 0;        // reads started
  unsigned waited = 0;  // milliseconds the callers were ready to wait, in all

 private:
  bool reading_ = false;
  std::vector<FrameAddress> answer_;  // as the shell listed it when the read started
};

}  // namespace vandrel
