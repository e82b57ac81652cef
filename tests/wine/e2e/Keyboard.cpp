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
  const bool extended = key == VK_INSERT || (key >= VK_PRIOR && key <= VK_DOWN);
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

}  // namespace

void PressKeys(HWND window, std::initializer_list<WORD> chord) {
  std::vector<INPUT> inputs;
  for (const WORD key : chord) inputs.push_back(Key(key, false));
  for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) inputs.push_back(Key(*key, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // Input waits behind sent messages: a few answers give it time to be taken.
  for (int round = 0; round < 3; ++round) {
    Sleep(30);
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  }
}

HWND ActiveOf(HWND window) { return ThreadInfo(window).hwndActive; }

int FocusedId(HWND window) {
  const HWND focus = ThreadInfo(window).hwndFocus;
  return focus ? GetDlgCtrlID(focus) : 0;
}

}  // namespace vandrel::test
