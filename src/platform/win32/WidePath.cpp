#include "platform/win32/WidePath.h"

#include <windows.h>

namespace vandrel {
namespace {

std::wstring Widen(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }
std::wstring WideFromAnsi(std::string_view text) { return Widen(CP_ACP, text); }

namespace {

std::string Narrow(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr, nullptr);
  }
  return narrow;
}

}  // namespace

std::string Utf8FromWide(std::wstring_view text) { return Narrow(CP_UTF8, text); }
std::string AnsiFromWide(std::wstring_view text) { return Narrow(CP_ACP, text); }

}  // namespace vandrel
