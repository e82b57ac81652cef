#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace vandrel {

// An in-memory dialog template. Items are declared with their class, id and
// style only; the dialog lays them out in pixels when it starts and sets
// their texts, so the template carries no coordinates and no captions.
class DialogTemplate {
 public:
  // The predefined control classes of a template item.
  enum class ItemClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ListBox = 0x0083 };

  // DS_SETFONT is added: the dialog's controls use `fontFace` at `pointSize`.
  DialogTemplate(DWORD style, const std::string& asciiFontFace, WORD pointSize);
  void AddItem(ItemClass itemClass, WORD id, DWORD style);

  const DLGTEMPLATE& Get() const { return *reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Append(WORD word) { words_.push_back(word); }
  void AppendDword(DWORD value);
  void AppendText(const std::string& text);  // zero-terminated UTF-16
  void AlignToDword();

  std::vector<WORD> words_;
  std::size_t countIndex_ = 0;  // where the header's item count sits
};

}  // namespace vandrel
