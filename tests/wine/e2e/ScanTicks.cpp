#include "ScanTicks.h"

#include "RegistryReset.h"
#include "WaitUntil.h"
#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

constexpr const char* kBrowserMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kAnimationsSwitch = "2";  // the rich-media switch for animations, by number
constexpr const char* kAnimationsValue = "Play_Animations";
constexpr DWORD kMonitorPassTimeoutMs = 15000;  // three periods of the monitor

bool AnimationsOff() {
  const auto raw = ReadRaw(HKEY_CURRENT_USER, kBrowserMain, kAnimationsValue, View::Default);
  return raw && raw->type == REG_SZ && std::string(raw->bytes.c_str()) == "No";
}

bool DeleteAnimationsValue() {
  UniqueHkey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserMain, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS) return false;
  const LSTATUS deleted = RegDeleteValueA(key.get(), kAnimationsValue);
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace

PopupWindowSpec TickWitness() {
  return {.className = "Internet Explorer_TridentDlgFrame", .title = "Tick witness", .ignoresClose = true};
}

bool WaitForScanTicks(const PopupHelper& helper, std::size_t witness, std::size_t barrier, int ticks) {
  if (!helper.Settle(barrier)) return false;
  return helper.WaitForCloses(witness, helper.ClosesReceived(witness) + ticks + 1, 5000 + 1000 * ticks);
}

void StoreMonitoredNo() {
  DeleteAnimationsValue();
  WriteDword(HKEY_CURRENT_USER, kSettingsKey, kAnimationsSwitch, 1);
  WriteString(HKEY_CURRENT_USER, kSettingsKey, "BanSelected", "1");
}

bool WaitForMonitorPass() {
  // The pass as the monitor starts with the program comes first: the one
  // waited for is a later one.
  if (!WaitUntil(AnimationsOff, kMonitorPassTimeoutMs) || !DeleteAnimationsValue()) return false;
  return WaitUntil(AnimationsOff, kMonitorPassTimeoutMs);
}

}  // namespace vandrel::test
