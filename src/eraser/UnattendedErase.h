#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "eraser/EraseCommand.h"
#include "eraser/KeptReport.h"
#include "eraser/StoredEraseChoices.h"
#include "eraser/TIECache.h"
#include "eraser/TIECacheEraser.h"
#include "platform/Platform.h"
#include "platform/TraceLook.h"

namespace vandrel {

// How an erase without a window ended; the exit code of Vandrel.exe Erase.
enum class UnattendedEnd {
  AllDone = 0,          // every chosen step did all it says
  SomethingStayed = 1,  // the report says what and why
  NotStarted = 2,       // nothing chosen, another erase running, the settings unreadable
};

struct UnattendedOutcome {
  UnattendedEnd end = UnattendedEnd::NotStarted;
  std::size_t erased = 0;  // entries removed
  std::size_t stayed = 0;  // report lines of what stayed, was refused, out of reach or left out
  std::string why;         // when not started, why
};

inline constexpr const char* kLeftOutStep = "Left out";
inline constexpr const char* kBrowserOpenLeftOut =
    "A browser window is open: the cache, cookies and history steps were left out";
inline constexpr const char* kNotStartedStep = "Not started";
inline constexpr const char* kChoicesUnreadable = "a stored erase choice cannot be read: ";
inline constexpr const char* kArgumentsIgnored = "Arguments after Erase are ignored: ";

// The erase of the stored choices with no window, box, sound or wait, for
// Vandrel.exe Erase and the erase at log-on. What a step would have shown in
// a box goes into the report, which is kept as the window's erase keeps it.
class UnattendedErase {
 public:
  // Messages run from the platform's wait loop, at the pace of every erase.
  // The report goes to `kept`: the log-on erase hands the window's, so that
  // one it could not keep is what "Erase report" shows.
  UnattendedErase(Platform& platform, EraseGuard& guard, TraceLook& look, KeptReport& kept);
  // ignoredArguments: what followed the keyword, said in the report.
  UnattendedOutcome Run(const std::vector<std::string>& ignoredArguments);

 private:
  class StoredChoices : public EraseChoices {
   public:
    EraseSelection Current() override { return selection; }
    EraseSelection selection;
  };
  // Every message a step shows becomes a line of the report.
  class ReportedPrompts : public Prompts {
   public:
    std::function<void(const std::string&)> tell;
    Answer Message(MessageKind, const std::string& text, MessageButtons buttons) override;
    SilenceableAnswer SilenceableMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override {
      return {Message(kind, text, buttons), false};
    }
  };

  Platform& platform_;
  EraseGuard& guard_;
  TraceLook& look_;
  std::function<void()> pump_;  // unpaced: the command and the report's walk pace it
  // Tells what was left out, and keeps the report (its stayed lines counted).
  void Keep(bool messagesMayRun, UnattendedOutcome& outcome);
  // Ends before anything is erased because the choices cannot be read:
  // the kept report names each of them.
  void RefuseUnreadable(const std::vector<std::string>& unreadable, UnattendedOutcome& outcome);

  std::vector<std::string> leftOut_;  // of the running erase
  StoredChoices choices_;
  ReportedPrompts prompts_;
  TIECache cache_;
  TIECacheEraser cacheEraser_;
  EraseCommand command_;
  KeptReport& kept_;
};

}  // namespace vandrel
