// Win32BrowserAddresses against the shell's list of browser windows under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "PopupHelper.h"
#include "platform/win32/Win32BrowserAddresses.h"

namespace vandrel {
namespace {

// Wine 8's list takes a registration but never hands an entry back (its
// Item is not implemented), so a real browser's address cannot be read
// through it here; the reads over listed frames are tested on the stand-in
// (the end-to-end tests) and the double. The read runs on a thread of its
// own, so the caller needs no COM apartment.
TEST(Win32BrowserAddressesTest, AWindowThatOnlyLooksLikeAFrameIsNotListedAndAnAnswerIsTakenOnce) {
  const test::PopupHelper helper{{"IEFrame", "News - Microsoft Internet Explorer", true, true, false}};
  Win32BrowserAddresses addresses;
  std::vector<FrameAddress> answer{{1, "unset"}};
  EXPECT_FALSE(addresses.TakeAnswer(answer, 0)) << "nothing was asked";
  addresses.StartReading();
  ASSERT_TRUE(addresses.TakeAnswer(answer, 20000));
  const auto helperFrame = reinterpret_cast<WindowHandle>(helper.Window(0));
  EXPECT_TRUE(
      std::none_of(answer.begin(), answer.end(), [&](const FrameAddress& read) { return read.frame == helperFrame; }));
  EXPECT_FALSE(addresses.TakeAnswer(answer, 0));
  addresses.StartReading();  // a second read on the same thread
  EXPECT_TRUE(addresses.TakeAnswer(answer, 20000));
}

}  // namespace
}  // namespace vandrel
