#include "app/IconPresence.h"

#include <gtest/gtest.h>

#include <utility>

namespace vandrel {
namespace {

TEST(IconPresenceTest, AnAddTheShellRefusedButCarriedOutGetsBalloonsAndIsRemovedAtTheEnd) {
  // A shell timing out at log-on: it answers no to an add, then shows the icon anyway.
  bool hasIcon = false;
  int adds = 0;
  const IconPresence::Notify shell = [&](IconChange change) {
    switch (change) {
      case IconChange::Add: return ++adds, hasIcon = true, false;
      case IconChange::Modify: return hasIcon;
      case IconChange::Delete: return std::exchange(hasIcon, false);
    }
    return false;
  };
  IconPresence endsAtOnce;
  EXPECT_FALSE(endsAtOnce.Show(shell));
  endsAtOnce.Remove(shell);
  EXPECT_FALSE(hasIcon) << "no dead icon is left behind";
  for (const bool balloonFirst : {false, true}) {
    IconPresence presence;
    EXPECT_FALSE(presence.Show(shell));
    if (balloonFirst) {
      EXPECT_TRUE(presence.Change(shell)) << "the balloon is shown";
    }
    EXPECT_TRUE(presence.Show(shell)) << "the level's change is shown";
    presence.Remove(shell);
    EXPECT_FALSE(hasIcon);
  }
  EXPECT_EQ(adds, 3);
}

}  // namespace
}  // namespace vandrel
