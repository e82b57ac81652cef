// The real Vandrel.exe under Wine closing a pop-up on the window event of
// its creation, long before the scan timer's next tick.
#include <gtest/gtest.h>

#include "ClosingProbe.h"
#include "PopupHelper.h"
#include "RegistryReset.h"
#include "ScanTicks.h"
#include "VandrelProcess.h"

namespace vandrel::test {
namespace {

constexpr const char* kSettingsKey = "Software\\Korvane\\Vandrel";
constexpr DWORD kIntervalMs = 2000;

class EventTickTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetVandrelState(); }
  void TearDown() override { ResetVandrelState(); }
};

TEST_F(EventTickTest, APopupShownBetweenTwoTicksAtTwoSecondsIsClosedWithin100Ms) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "TimerInterval", std::to_string(kIntervalMs).c_str()));
  PopupHelper helper{TickWitness()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  // The first timer tick closes the witness; the next one is an interval away.
  ASSERT_TRUE(helper.WaitForCloses(0, 1, 3 * kIntervalMs + 5000));
  const double tickSeen = NowMilliseconds();
  Sleep(kIntervalMs / 4);

  ClosingProbe popup("Internet Explorer_TridentDlgFrame", "Pop-up between ticks", false);
  const auto closedAfter = popup.WaitForClose(kIntervalMs * 2);
  ASSERT_TRUE(closedAfter.has_value()) << "never closed";
  EXPECT_LE(*closedAfter, 100.0) << "closed " << *closedAfter << " ms after its creation, "
                                 << (NowMilliseconds() - tickSeen) << " ms after a timer tick";
}

}  // namespace
}  // namespace vandrel::test
