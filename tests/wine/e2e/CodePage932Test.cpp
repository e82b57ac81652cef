// The real Vandrel.exe under Wine in a Japanese locale, code page 932: the
// ctest entry runs with LC_ALL=ja_JP.UTF-8 (scripts/setup generates the
// locale), which Wine turns into code page 932 for every program the test
// starts, so the helper's titles and the block list are in it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "PopupHelper.h"
#include "ScanTicks.h"
#include "VandrelProcess.h"

namespace vandrel::test {
namespace {

PopupWindowSpec Frame(const std::string& page) {
  return {"IEFrame", page + " - Microsoft Internet Explorer", true, true, true};
}

class CodePage932Test : public VandrelTest {};

// "ソフトウェアDL" holds the bytes of "AD" (the second byte of "ア", then
// "D") but no "ad" as text; "無料広告" holds the keyword "広告".
TEST_F(CodePage932Test, AnEntryMatchesWholeCharactersOnlyAndTheFileKeepsItsBytes) {
  ASSERT_EQ(GetACP(), 932u) << "no Japanese locale: LC_ALL=ja_JP.UTF-8 must be generated (scripts/setup)";
  const std::vector<std::string> entries = {"ad", "\x8D\x4C\x8D\x90"};
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles(entries)));
  PopupHelper helper{Frame("\x83\x5C\x83\x74\x83\x67\x83\x45\x83\x46\x83\x41"
                           "DL"),
                     Frame("\x96\xB3\x97\xBF\x8D\x4C\x8D\x90"), TickWitness(), BarrierWindow()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(helper.WaitForCloses(1, 1));
  ASSERT_TRUE(WaitForScanTicks(helper, 2, 3, 2));
  EXPECT_EQ(helper.ClosesReceived(0), 0);
  ASSERT_TRUE(vandrel.Quit());
  std::vector<std::string> written = ReadScrambledTitles();
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, entries);
}

}  // namespace
}  // namespace vandrel::test
