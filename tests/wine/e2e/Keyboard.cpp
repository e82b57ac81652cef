#include "Keyboard.h"

#include <vector>

namespace vandrel::test {
namespace {

GUITHREADINFO ThreadInfo(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info;
}

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  const bool extended = key == VK_INSERT || key == VK_HOME || key == VK_END || key == VK_PRIOR ||
                        key == VK_NEXT || (key >= VK_LEFT && key <= VK_DOWN);
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

}  // namespace

void PressKeys(HWND window, std::initializer_list<WORD> chord) {
  std::vector<INPUT> inputs;
  for (const WORD key : chord) inputs.push_back(Key(key, false));
  for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) inputs.push_back(Key(*key, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // Input reaches the program's queue behind what is there; a sent message comes after it.
  DWORD_PTR ignored = 0;
  for (int round = 0; round < 3; ++round) {
    Sleep(30);
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  }
}

HWND FocusOf(HWND window) { return ThreadInfo(window).hwndFocus; }
HWND ActiveOf(HWND window) { return ThreadInfo(window).hwndActive; }
int FocusedId(HWND window) {
  const HWND focus = FocusOf(window);
  return focus ? GetDlgCtrlID(focus) : 0;
}

}  // namespace vandrel::test
