// Win32BrowserAddresses against the shell's list of browser windows under Wine.
#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <thread>

#include "PopupHelper.h"
#include "platform/win32/Win32BrowserAddresses.h"

namespace vandrel {
namespace {

WindowHandle HandleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

class Win32BrowserAddressesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }
  Win32BrowserAddresses addresses;
};

TEST_F(Win32BrowserAddressesTest, AWindowThatOnlyLooksLikeAFrameHasNoAddress) {
  const test::PopupHelper helper{{"IEFrame", "News - Microsoft Internet Explorer", true, true, false}};
  EXPECT_EQ(addresses.AddressOf(HandleOf(helper.Window(0))), "");
  EXPECT_EQ(addresses.AddressOf(0), "");
}

// Wine 8's list takes a registration but never hands an entry back (its
// Item is not implemented), so a real browser's address cannot be read
// through it here; the lookup over a listed frame is tested on the double.
TEST(Win32BrowserAddressesWithoutComTest, AThreadWithoutComGetsNoAddressAndNoFailure) {
  const test::PopupHelper helper{{"IEFrame", "News - Microsoft Internet Explorer", true, true, false}};
  std::string address = "unset";
  std::thread([&] { address = Win32BrowserAddresses().AddressOf(HandleOf(helper.Window(0))); }).join();
  EXPECT_EQ(address, "");
}

}  // namespace
}  // namespace vandrel
