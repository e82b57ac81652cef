#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/ScopeExit.h"

namespace vandrel {

inline constexpr const char* kEraseAlreadyRunning = "An erase is already running.";
inline constexpr const char* kEraseLockUnavailable =
    "No erase can run: the lock that keeps two erases apart cannot be had. Nothing was erased.";

enum class LockTake {
  Taken,
  HeldElsewhere,  // another process erases
  Unavailable,    // the lock cannot be made or opened: no erase may run
};

// Held by one process at a time: a running Vandrel and a Vandrel.exe Erase
// started by a script or at log-on share the folders and index files.
class CrossProcessLock {
 public:
  virtual ~CrossProcessLock() = default;
  // Taken only when no other process holds it and it could be had.
  virtual LockTake TryTake() = 0;
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
  // Nothing while an erase runs here or in another process, or while the
  // lock cannot be had (WhyRefused says which); else held until the returned
  // guard ends, also when an error leaves early.
  [[nodiscard]] std::optional<Held> TryHold() {
    std::optional<Held> held = TryHoldHere();
    if (held && !TakeLock()) held.reset();
    return held;
  }
  // Held in this process only: the window's erase holds it so while its
  // questions wait for the user, and takes the lock once they are answered.
  [[nodiscard]] std::optional<Held> TryHoldHere() {
    refusal_ = kEraseAlreadyRunning;
    if (running_) return std::nullopt;
    running_ = true;
    return std::optional<Held>(std::in_place, *this);
  }
  // Takes the other processes' lock for the erase held here; false while
  // another process erases or the lock cannot be had.
  [[nodiscard]] bool TakeLock() {
    const LockTake take = lock_ ? lock_->TryTake() : LockTake::Taken;
    refusal_ = take == LockTake::Unavailable ? kEraseLockUnavailable : kEraseAlreadyRunning;
    lockTaken_ = take == LockTake::Taken;
    return lockTaken_;
  }
  void GiveBackLock() {
    if (lockTaken_ && lock_) lock_->Release();
    lockTaken_ = false;
  }
  // Why the last hold or take was refused.
  const char* WhyRefused() const { return refusal_; }
  // The end of the session, met while an erase runs: nothing after its
  // message is sure to run, so the running erase ends its work there, while
  // it is still on the stack (see EraseCommand), letting no message run;
  // from then on it writes nothing more and stops at its next entry, box
  // or step (EndedForSession).
  void EndForSession() {
    sessionEnded_ = true;
    if (endForSession_) endForSession_();
  }
  bool EndedForSession() const { return sessionEnded_; }
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
    guard->GiveBackLock();
  }

  bool running_ = false;
  bool lockTaken_ = false;
  bool sessionEnded_ = false;
  const char* refusal_ = kEraseAlreadyRunning;
  CrossProcessLock* lock_ = nullptr;
  std::function<void()> endForSession_;
};

}  // namespace vandrel
