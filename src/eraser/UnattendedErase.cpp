#include "eraser/UnattendedErase.h"

#include <algorithm>
#include <utility>

#include "eraser/ErasePace.h"
#include "platform/PlatformError.h"
#include "platform/WaitLoop.h"

namespace vandrel {

Answer UnattendedErase::ReportedPrompts::Message(MessageKind, const std::string& text, MessageButtons buttons) {
  if (tell) tell(text);
  // Nobody is there to agree: a question is answered no.
  switch (buttons) {
    case MessageButtons::Ok: return Answer::Ok;
    case MessageButtons::YesNo: return Answer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::RetryCancel: return Answer::Cancel;
  }
  return Answer::Cancel;
}

UnattendedErase::UnattendedErase(Platform& platform, EraseGuard& guard, TraceLook& look, KeptReport& kept)
    : platform_(platform),
      guard_(guard),
      look_(look),
      pump_(LetMessagesRun(platform.waitLoop)),
      cache_(platform.urlCache),
      cacheEraser_(cache_),
      command_(choices_, platform.desktop, platform.registry, platform.traceFiles, platform.shell, prompts_,
               cacheEraser_, guard, EraseFeedback{nullptr, nullptr, pump_}),
      kept_(kept) {
  prompts_.tell = [this](const std::string& text) { command_.Aftermath().Add(PlaceFate::Told, text, {}); };
  // At the end of the session the report is kept there and then, as far as
  // the erase got (the process may not run again after).
  command_.OnEnded([this](bool messagesMayRun) {
    UnattendedOutcome ignored;
    if (!messagesMayRun) Keep(false, ignored);
  });
}

void UnattendedErase::Keep(bool messagesMayRun, UnattendedOutcome& outcome) {
  for (const std::string& text : leftOut_) command_.Aftermath().AddUnder(kLeftOutStep, PlaceFate::Told, text, {});
  const EraseReport report =
      command_.Aftermath().ReportEvenWhenEnding(look_, messagesMayRun ? Paced(pump_) : std::function<void()>{});
  outcome.stayed = static_cast<std::size_t>(
      std::count_if(report.entries.begin(), report.entries.end(), [](const ReportEntry& entry) {
        // A folder out of reach over the network kept all it holds.
        return entry.fate == PlaceFate::Stayed || entry.fate == PlaceFate::Refused ||
               entry.fate == PlaceFate::NotReached || entry.fate == PlaceFate::Told;
      }));
  try {
    kept_.Save(ReportText(report));
  } catch (const PlatformError& error) {
    ++outcome.stayed;
    outcome.why = kReportNotKept + std::string(error.what());
  }
}

void UnattendedErase::RefuseUnreadable(const std::vector<std::string>& unreadable, UnattendedOutcome& outcome) {
  EraseReport report;
  report.kind = EraseReport::Kind::AfterErase;
  std::string names;
  for (const std::string& what : unreadable) {
    report.Add({kNotStartedStep, PlaceFate::Refused, what, 0, 0, {}});
    names += (names.empty() ? "" : ", ") + what;
  }
  outcome.why = kChoicesUnreadable + names;
  try {
    kept_.Save(ReportText(report));
  } catch (const PlatformError&) {
    // Not started either way; the exit code and the balloon say why.
  }
}

UnattendedOutcome UnattendedErase::Run(const std::vector<std::string>& ignoredArguments) {
  UnattendedOutcome outcome;
  const auto running = guard_.TryHold();
  if (!running) {
    outcome.why = guard_.WhyRefused();
    return outcome;
  }
  StoredEraseChoices stored;
  try {
    stored = ReadStoredEraseChoices(platform_.registry);
  } catch (const PlatformError& error) {
    stored.unreadable = {error.what()};
  }
  if (!stored.unreadable.empty()) {
    RefuseUnreadable(stored.unreadable, outcome);
    return outcome;
  }
  if (!stored.selection.Any()) {
    outcome.why = kNothingSelected;
    return outcome;
  }
  leftOut_.clear();
  if (!ignoredArguments.empty()) {
    std::string arguments;
    for (const std::string& argument : ignoredArguments) arguments += (arguments.empty() ? "" : " ") + argument;
    leftOut_.push_back(kArgumentsIgnored + arguments);
  }
  // The window's erase asks the user to close the browser; nobody is here
  // to, and the library must not run under a browser that uses it.
  if (const auto frame = UsesUrlCache(stored.selection) ? command_.OpenBrowserFrame() : std::nullopt) {
    stored.selection = WithoutUrlCache(stored.selection);
    leftOut_.push_back(kBrowserOpenLeftOut + std::string(" (\"") + *frame + "\")");
  }
  choices_.selection = stored.selection;
  bool ending = false;
  try {
    command_.EraseChosen();
  } catch (const ProgramEnding&) {
    ending = true;  // a quit: the report is kept as far as the erase got
  } catch (const std::exception& error) {
    // A failed wipe, or another failure (memory running out): the report
    // says where it stopped, and a script gets its code, never a box.
    command_.Aftermath().Add(PlaceFate::Told, error.what(), kWhyWipeFailed);
  }
  // At the session's end the report was kept then, and nothing more is written.
  if (ending && guard_.EndedForSession()) {
    outcome.end = UnattendedEnd::SomethingStayed;
    return outcome;
  }
  Keep(!ending, outcome);
  outcome.erased = command_.Erased();
  outcome.end = outcome.stayed > 0 ? UnattendedEnd::SomethingStayed : UnattendedEnd::AllDone;
  return outcome;
}

}  // namespace vandrel
