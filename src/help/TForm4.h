#pragma once
#include "platform/DocumentOpener.h"

namespace vandrel {

inline constexpr const char* kAboutCaption = "About Vandrel";
inline constexpr const char* kAboutVersion = "Vandrel v7.0.5";
inline constexpr const char* kAboutBrowsers = "For Internet Explorer 5.0, 5.5, 6.0";
inline constexpr const char* kAboutHomePageCaption = "Home page:";
inline constexpr const char* kAboutMailCaption = "E-mail:";
inline constexpr const char* kMakerHomePage = "http://www.korvane.example/";
inline constexpr const char* kMakerMailShown = "support@korvane.example";
inline constexpr const char* kMakerMailLink = "mailto:support@korvane.example";
inline constexpr const char* kAboutOkCaption = "&OK";

// Where a label centred in its panel starts: half the difference of the
// widths, rounded toward zero (a label wider than the panel starts left of
// it).
constexpr int CentredLeft(int panelWidth, int labelWidth) { return (panelWidth - labelWidth) / 2; }

// The about box: its two links open through the shell, hidden.
class TForm4 {
 public:
  explicit TForm4(DocumentOpener& documents) : documents_(documents) {}
  void Label5Click() { documents_.Open(kMakerHomePage, ShowCommand::Hide, true); }
  void Label3Click() { documents_.Open(kMakerMailLink, ShowCommand::Hide, true); }

 private:
  DocumentOpener& documents_;
};

}  // namespace vandrel
