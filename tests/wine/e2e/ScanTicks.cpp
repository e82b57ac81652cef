#include "ScanTicks.h"

#include "RegistryReset.h"
#include "WaitUntil.h"
#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

constexpr const char* kBrowserMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kAnimationsSwitch = "2";  // the rich-media switch for animations, by number
constexpr const char* kAnimationsValue = "Play_Animations";
constexpr const char* kRichMediaClass = "TW42VideoBlocker";
constexpr int kMonitorButton = 380;
constexpr DWORD kMonitorPassTimeoutMs = 15000;  // three periods of the monitor

bool AnimationsOff() {
  const auto raw = ReadRaw(HKEY_CURRENT_USER, kBrowserMain, kAnimationsValue, View::Default);
  return raw && raw->type == REG_SZ && std::string(raw->bytes.c_str()) == "No";
}

}  // namespace

PopupWindowSpec TickWitness() {
  return {.className = "Internet Explorer_TridentDlgFrame", .title = "Tick witness", .ignoresClose = true};
}

bool WaitForScanTicks(const PopupHelper& helper, std::size_t witness, std::size_t barrier, int ticks) {
  if (!helper.Settle(barrier)) return false;
  return helper.WaitForCloses(witness, helper.ClosesReceived(witness) + ticks + 1, 5000 + 1000 * ticks);
}

void StoreMonitoredNo() { WriteDword(HKEY_CURRENT_USER, kSettingsKey, kAnimationsSwitch, 1); }

bool SwitchMonitorOn(VandrelProcess& vandrel) {
  const HWND window = vandrel.WaitForWindowOfClass(kRichMediaClass);
  HWND button = nullptr;
  // The window exists a moment before its controls.
  if (!window || !WaitUntil([&] { return (button = GetDlgItem(window, kMonitorButton)) != nullptr; }, 5000)) {
    return false;
  }
  // Sent, not posted: the click's own pass is over when it returns.
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
}

bool WaitForMonitorPass() {
  {
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserMain, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS ||
        RegDeleteValueA(key.get(), kAnimationsValue) != ERROR_SUCCESS) {
      return false;
    }
  }
  return WaitUntil(AnimationsOff, kMonitorPassTimeoutMs);
}

}  // namespace vandrel::test
