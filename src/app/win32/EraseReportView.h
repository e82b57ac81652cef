#pragma once
#include <windows.h>

#include <string>

#include "help/win32/FormDialog.h"

namespace vandrel {

inline constexpr const char* kErasePreviewTitle = "Erase preview";
inline constexpr const char* kEraseReportTitle = "Erase report";
inline constexpr int kEraseReportTextId = 1401;
inline constexpr int kEraseReportCopyId = 1402;

// The erase preview and the report after an erase: a read-only text to
// select and copy, a Copy button and Close, shown modally over `owner`.
// Esc, Enter and the close box close it.
class EraseReportView : public FormDialog {
 public:
  void Show(HWND owner, const std::string& title, const std::string& text);

 private:
  void Start() override;
  bool Command(int id, int code) override;
  HBRUSH StaticColours(int, HDC) override { return nullptr; }

  std::string title_;
  std::wstring text_;
};

}  // namespace vandrel
