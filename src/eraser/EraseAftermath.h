#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "eraser/EraseReport.h"
#include "platform/TraceFiles.h"
#include "platform/TraceLook.h"

namespace vandrel {

// Gathers what each folder delete of an erase did, over its passes, and
// tells afterwards what went, what stayed and why.
class EraseAftermath {
 public:
  // A new erase: the last one's record goes.
  void Start();
  // What stayed is what the last pass left.
  void StartPass();
  void SetStep(const std::string& step) { step_ = step; }
  // A folder delete of the running step (whole: the folder itself too).
  void Deleted(const std::string& folder, const std::string& mask, bool whole, const DeleteCounts& counts);
  // What other parts of the erase know, under the running step: a URL-cache
  // container left to the eraser's own walk, for one.
  void Add(PlaceFate fate, const std::string& place, const std::string& why);
  // The same under the step named; told once, however many passes tell it.
  void AddUnder(const std::string& step, PlaceFate fate, const std::string& place, const std::string& why);
  // An index file wipe of the running step: one left alone, or one that
  // failed (the erase stops there), is told; a wipe that went is not.
  void IndexWiped(const std::string& file, WipeOutcome outcome, const std::string& failure);

  // Nothing when no erase has run. The places that kept something are
  // looked at again, and each entry still there is named.
  // pump runs between the entries walked (see WalkFolder).
  EraseReport Report(TraceLook& look, const std::function<void()>& pump = {}) const;
  // The same, also while the program ends: a quit met while it looks stops
  // the messages, not the report, which is then told as far as it got.
  EraseReport ReportEvenWhenEnding(TraceLook& look, const std::function<void()>& pump) const;

 private:
  struct Place {
    std::string step, folder, mask;
    bool whole = false;
    std::size_t went = 0;  // over every pass
    DeleteCounts last;     // of the last pass
  };
  void AddWhatStayed(const Place& place, TraceLook& look, const std::function<void()>& pump,
                     EraseReport& report) const;

  std::vector<Place> places_;  // in the order first met
  std::vector<ReportEntry> told_;
  std::string step_;
  bool ran_ = false;
};

inline constexpr const char* kWhyIndexLeftAlone =
    "not wiped: not a plain file of its own (a link, or a file with other names)";
inline constexpr const char* kWhyWipeFailed = "the erase stopped here";
inline constexpr const char* kWhyStillThere = "could not be deleted: in use by another program, or protected";
inline constexpr const char* kWhyLinkStayed =
    "a link that could not be removed as itself: what it leads to is untouched";
// At most this many entries that stayed are named for one folder.
inline constexpr std::size_t kStayedNamedPerFolder = 40;

}  // namespace vandrel
