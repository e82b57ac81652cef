#pragma once
#include <windows.h>

#include <memory>

#include "help/TForm4.h"
#include "help/win32/FormDialog.h"
#include "help/win32/LinkLabel.h"
#include "platform/win32/Handles.h"

namespace vandrel {

inline constexpr int kAboutHomePageId = 1205;  // Label5
inline constexpr int kAboutMailId = 1203;      // Label3

// The real about box: a dialog-bordered window centred on the desktop,
// created hidden at start-up and shown modally over the main window on
// each request.
class AboutView : public FormDialog {
 public:
  AboutView(TForm4& form, HINSTANCE instance) : form_(form), instance_(instance) {}
  ~AboutView() override { Destroy(); }
  void Create(HWND owner);
  void ShowModal(HWND owner) { ShowHiddenModally(owner); }

 private:
  void Start() override;
  bool Command(int id, int code) override;
  HBRUSH StaticColours(int id, HDC dc) override;
  void CentreInPanel(int id, const char* text, int top) const;

  TForm4& form_;
  HINSTANCE instance_;
  UniqueGdiObject boldFont_;
  UniqueGdiObject linkFont_;
  UniqueGdiObject hoveredLinkFont_;
  std::unique_ptr<LinkLabel> homePage_;
  std::unique_ptr<LinkLabel> mail_;
};

}  // namespace vandrel
