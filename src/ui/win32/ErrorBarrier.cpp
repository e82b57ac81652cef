#include "ui/win32/ErrorBarrier.h"

#include "ui/Prompts.h"

namespace vandrel {

void ShowErrorBox(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kApplicationTitle, MB_ICONERROR | MB_OK);
}

}  // namespace vandrel
