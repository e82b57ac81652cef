#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/ScopeExit.h"

namespace vandrel {

inline constexpr const char* kEraseAlreadyRunning = "An erase is already running.";

// Held by one process at a time: a running Vandrel and a Vandrel.exe Erase
// started by a script or at log-on share the folders and index files.
class CrossProcessLock {
 public:
  virtual ~CrossProcessLock() = default;
  // False while another process holds it.
  virtual bool TryTake() = 0;
  virtual void Release() = 0;
};

// One erase at a time across the main window, the tray and the viewer (the
// windows keep working while an erase runs, so another could be started
// from any of them) and, with a lock, across processes: it would meet
// folders and index files half erased.
class EraseGuard {
 public:
  class Held {
   public:
    explicit Held(EraseGuard& guard) : guard_(&guard, &EraseGuard::Release) {}

   private:
    std::unique_ptr<EraseGuard, void (*)(EraseGuard*)> guard_;
  };

  void UseLock(CrossProcessLock* lock) { lock_ = lock; }
  bool Running() const { return running_; }
  // Nothing while an erase runs here or in another process; else held
  // until the returned guard ends, also when an error leaves early.
  [[nodiscard]] std::optional<Held> TryHold() {
    if (running_ || (lock_ && !lock_->TryTake())) return std::nullopt;
    running_ = true;
    return std::optional<Held>(std::in_place, *this);
  }
  // The end of the session, met while an erase runs: nothing after its
  // message is sure to run, so the running erase ends its work there, while
  // it is still on the stack (see EraseCommand), letting no message run.
  void EndForSession() const {
    if (endForSession_) endForSession_();
  }
  // Set by the running erase for as long as the returned guard lives.
  [[nodiscard]] auto EndsForSessionWith(std::function<void()> end) {
    endForSession_ = std::move(end);
    return ScopeExit([this] { endForSession_ = nullptr; });
  }
  // The main window's first status panel: a refused erase and what an
  // erase left to the eraser's own walk are told there.
  std::function<void(const std::string&)> statusText;
  void Tell(const std::string& text) const {
    if (statusText) statusText(text);
  }

 private:
  static void Release(EraseGuard* guard) {
    guard->running_ = false;
    if (guard->lock_) guard->lock_->Release();
  }

  bool running_ = false;
  CrossProcessLock* lock_ = nullptr;
  std::function<void()> endForSession_;
};

}  // namespace vandrel
