#include "ui/win32/DialogTemplate.h"

namespace vandrel {

// Layout of the words: DLGTEMPLATE (style, extended style, item count, x, y,
// cx, cy), menu, class, title, font size and face; then per item, on a DWORD
// boundary, DLGITEMTEMPLATE (style, extended style, x, y, cx, cy, id), its
// class as 0xFFFF plus the predefined atom, its title and its creation data.

DialogTemplate::DialogTemplate(DWORD style, const std::string& asciiFontFace, WORD pointSize) {
  AppendDword(style | DS_SETFONT);
  AppendDword(0);
  countIndex_ = words_.size();
  Append(0);
  for (int coordinate = 0; coordinate < 4; ++coordinate) Append(0);
  Append(0);  // no menu
  Append(0);  // the dialog class
  Append(0);  // the title is set when the dialog starts
  Append(pointSize);
  AppendText(asciiFontFace);
}

void DialogTemplate::AddItem(ItemClass itemClass, WORD id, DWORD style) {
  AlignToDword();
  AppendDword(style | WS_CHILD | WS_VISIBLE);
  AppendDword(0);
  for (int coordinate = 0; coordinate < 4; ++coordinate) Append(0);
  Append(id);
  Append(0xFFFF);
  Append(static_cast<WORD>(itemClass));
  Append(0);  // no title
  Append(0);  // no creation data
  ++words_[countIndex_];
}

void DialogTemplate::AppendDword(DWORD value) {
  Append(LOWORD(value));
  Append(HIWORD(value));
}

void DialogTemplate::AppendText(const std::string& text) {
  for (const char character : text) Append(static_cast<unsigned char>(character));
  Append(0);
}

void DialogTemplate::AlignToDword() {
  // The vector's storage is DWORD-aligned, so an even word index is a DWORD boundary.
  if (words_.size() % 2 != 0) Append(0);
}

}  // namespace vandrel
