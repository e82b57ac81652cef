// The handle owners with real kernel handles and registry keys.
#include <gtest/gtest.h>

#include "platform/win32/Handles.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {
namespace {

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(Handles, MovingHandsOverOwnershipAndCloseHappensOnce) {
  HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(raw);
  {
    UniqueHandle first(raw);
    UniqueHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), raw);
    UniqueHandle third;
    third = std::move(second);
    EXPECT_TRUE(IsOpen(raw));
  }
  EXPECT_FALSE(IsOpen(raw));
}

TEST(Handles, ResetClosesTheOldHandleAndReleaseKeepsItOpen) {
  HANDLE a = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE b = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  UniqueHandle owner(a);
  owner.reset(b);
  EXPECT_FALSE(IsOpen(a));
  EXPECT_EQ(owner.release(), b);
  EXPECT_FALSE(owner);
  EXPECT_TRUE(IsOpen(b));
  CloseHandle(b);
}

TEST(Handles, FileHandlesTreatInvalidHandleValueAsNone) {
  UniqueFileHandle missing(CreateFileA("C:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(missing.get(), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(missing);
  UniqueFileHandle nul(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_TRUE(nul);
}

TEST(Handles, KeysFilledThroughPutAreClosed) {
  HKEY raw = nullptr;
  {
    UniqueHkey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    raw = key.get();
    EXPECT_EQ(RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
  }
  EXPECT_NE(RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
}

// A late library stays out of the process until its first call and goes
// with its owner; a missing library or function is null, not a failure.
TEST(Handles, ALateLibraryLoadsAtItsFirstCallAndIsFreedWithItsOwner) {
  constexpr const char* kLibrary = "hlink.dll";  // nothing in the tests loads it
  ASSERT_EQ(GetModuleHandleA(kLibrary), nullptr);
  {
    LateLibrary library(kLibrary);
    EXPECT_EQ(GetModuleHandleA(kLibrary), nullptr);
    EXPECT_NE(library.Find<FARPROC>("HlinkCreateFromString"), nullptr);
    EXPECT_NE(GetModuleHandleA(kLibrary), nullptr);
    EXPECT_EQ(library.Find<FARPROC>("NoSuchFunction"), nullptr);
  }
  EXPECT_EQ(GetModuleHandleA(kLibrary), nullptr);
  LateLibrary missing("vandrel-no-such-library.dll");
  EXPECT_FALSE(missing.Load());
  EXPECT_EQ(missing.Find<FARPROC>("Anything"), nullptr);
}

}  // namespace
}  // namespace vandrel
