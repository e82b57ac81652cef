#pragma once
#include <functional>
#include <string>
#include <vector>

#include "eraser/CookieSites.h"
#include "platform/Registry.h"
#include "platform/UrlCache.h"
#include "ui/Controls.h"
#include "ui/FormModel.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kCookiesToKeepCaption = "Cookies to keep";
inline constexpr const char* kKeptSiteNotSelected = "No site selected. Please, select one and try again.";
inline constexpr const char* kKeptSiteAlready = "This site is kept already.";
inline constexpr const char* kKeptSiteRefusedPrefix = "This cannot be kept: ";
inline constexpr const char* kKeptSitesLeftOutPrefix =
    "The stored sites to keep the cookies of held entries that were left out:";

// The window of the sites whose cookies every erase keeps: the sites that
// have cookies now, beside the sites kept, a site moved across or typed in.
// OK stores the list; Cancel leaves it as stored.
class CookiesToKeepDialog {
 public:
  CookiesToKeepDialog(Registry& registry, UrlCache& cache, Prompts& prompts);
  CookiesToKeepDialog(const CookiesToKeepDialog&) = delete;
  CookiesToKeepDialog& operator=(const CookiesToKeepDialog&) = delete;

  FormModel Form;
  ControlModel PresentLabel, KeptLabel, TypedLabel;
  ListBox Present;  // "host (cookies)"
  ListBox Kept;
  Edit Typed;
  Button Keep, Remove, Add, OK, Cancel;

  // Set by whoever shows the window: shows it modally, returns once closed.
  std::function<void()> showModal;

  // The eraser page's button: the stored list and the cookies there are
  // now, then the window; what the stored list left out is told once.
  void Open();
  void PresentClick();
  void KeptClick();
  void KeepClick();
  void RemoveClick();
  void AddClick();
  void OKClick();
  void CancelClick() { Form.SetVisible(false); }
  // Del in the kept list removes, Enter in the box adds; a handled key is cleared.
  void KeptKeyDown(int& key);
  void TypedKeyPress(char& key);

 private:
  // Adds a checked site, or tells why it is not added.
  bool KeepSite(const std::string& typed);
  void ShowKept(int selected);
  void Warn(const std::string& text);

  Registry& registry_;
  UrlCache& cache_;
  Prompts& prompts_;
  std::vector<CookieSite> present_;
  std::vector<std::string> kept_;
};

}  // namespace vandrel
