// Win32TextCollation under Wine: the order of a sorted list box.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32TextCollation.h"

namespace vandrel {
namespace {

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle window) noexcept { DestroyWindow(window); }
};

// Sorts as a sorted list box shows its items.
std::vector<std::string> ListBoxOrder(const std::vector<std::string>& items) {
  const UniqueResource<WindowTraits> window(CreateWindowA("LISTBOX", "", LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100,
                                                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  const HWND listBox = window.get();
  for (const auto& item : items) SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  std::vector<std::string> sorted;
  const auto count = SendMessageA(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    SendMessageA(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    sorted.push_back(text);
  }
  return sorted;
}

const std::vector<std::string> kTexts{"Z",    "\xE4", "a", "B", "ab", "AB",   "\xC4rger", "arg",       "co-op",
                                      "coop", "10",   "9", "",  "zz", "\xDF", "ss",       "\xE9t\xE9", "ete"};

TEST(Win32TextCollation, OrdersLettersIgnoringCaseWithAccentsBesideTheirBase) {
  ASSERT_EQ(GetACP(), 1252u) << "the texts are code page 1252";
  const Win32TextCollation collation;
  EXPECT_LT(collation.Compare("a", "\xE4"), 0);  // a-diaeresis after a ...
  EXPECT_LT(collation.Compare("\xE4", "B"), 0);  // ... and before B
  EXPECT_LT(collation.Compare("B", "Z"), 0);
  EXPECT_EQ(collation.Compare("ab", "AB"), 0);
  EXPECT_EQ(collation.Compare("\xE4", "\xC4"), 0);
  EXPECT_LT(collation.Compare("", "a"), 0);
  EXPECT_GT(collation.Compare("abc", "ab"), 0);
}

TEST(Win32TextCollation, SortKeysGiveTheOrderOfTheComparison) {
  const Win32TextCollation collation;
  for (const auto& a : kTexts) {
    for (const auto& b : kTexts) {
      const int byCompare = collation.Compare(a, b);
      const int byKey = collation.SortKey(a).compare(collation.SortKey(b));
      EXPECT_EQ(byCompare < 0, byKey < 0) << "'" << a << "' / '" << b << "'";
      EXPECT_EQ(byCompare == 0, byKey == 0) << "'" << a << "' / '" << b << "'";
    }
  }
}

TEST(Win32TextCollation, AgreesWithASortedListBox) {
  const Win32TextCollation collation;
  std::vector<std::string> sorted = kTexts;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const std::string& a, const std::string& b) { return collation.Compare(a, b) < 0; });
  std::vector<std::string> shown = ListBoxOrder(kTexts);
  // Texts that compare equal may stand in either order in the list box.
  ASSERT_EQ(shown.size(), sorted.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(collation.Compare(shown[i], sorted[i]), 0) << i << ": '" << shown[i] << "' / '" << sorted[i] << "'";
  }
}

}  // namespace
}  // namespace vandrel
