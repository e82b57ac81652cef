#include "app/IconPresence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace vandrel {
namespace {

// A shell whose first add times out at log-on: it answers no, then shows the icon anyway.
struct SlowShell {
  bool Take(IconChange change) {
    calls.push_back(change);
    switch (change) {
      case IconChange::Add:
        if (hasIcon) return false;
        hasIcon = true;
        return !std::exchange(timesOut, false);
      case IconChange::Modify: return hasIcon;
      case IconChange::Delete: return std::exchange(hasIcon, false);
    }
    return false;
  }
  bool hasIcon = false;
  bool timesOut = true;
  std::vector<IconChange> calls;
};

TEST(IconPresenceTest, AnAddRefusedButCarriedOutIsBelievedAtTheNextChangeAndRemovedAtTheEnd) {
  using enum IconChange;
  for (const bool levelChangesAgain : {true, false}) {
    SlowShell shell;
    const IconPresence::Notify notify = [&](IconChange change) { return shell.Take(change); };
    IconPresence presence;
    EXPECT_FALSE(presence.Show(notify));
    if (levelChangesAgain) {
      EXPECT_TRUE(presence.Show(notify));
    }
    EXPECT_TRUE(presence.Change(notify)) << "a balloon is shown";
    EXPECT_TRUE(presence.Shown());
    presence.Remove(notify);
    EXPECT_FALSE(shell.hasIcon) << "no dead icon is left behind";
    EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), Add), 1);
  }

  // A shell that restarted has lost the icon: it is added again.
  SlowShell shell;
  shell.timesOut = false;
  const IconPresence::Notify notify = [&](IconChange change) { return shell.Take(change); };
  IconPresence presence;
  EXPECT_TRUE(presence.Show(notify));
  shell.hasIcon = false;
  presence.Forget();
  EXPECT_FALSE(presence.Change(notify));
  EXPECT_TRUE(presence.Show(notify));
  EXPECT_EQ(shell.calls, (std::vector<IconChange>{Modify, Add, Modify, Modify, Add}));
}

}  // namespace
}  // namespace vandrel
