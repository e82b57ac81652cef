#include "options/CookiesToKeepDialog.h"

#include <algorithm>

#include "blocklist/TForm3.h"
#include "eraser/CookiesToKeep.h"

namespace vandrel {

CookiesToKeepDialog::CookiesToKeepDialog(Registry& registry, UrlCache& cache, Prompts& prompts)
    : registry_(registry), cache_(cache), prompts_(prompts) {
  Form.SetCaption(kCookiesToKeepCaption);
  Form.SetVisible(false);
  PresentLabel.SetCaption("Sites &having cookies now:");
  KeptLabel.SetCaption("Sites &whose cookies stay:");
  TypedLabel.SetCaption("&Type a site:");
  Kept.SetHint("A site keeps its own cookies and those of every host below it: example.com keeps www.example.com.");
  Present.OnClick = [this] { PresentClick(); };
  Kept.OnClick = [this] { KeptClick(); };
  Keep.Design("&Keep >", [this] { KeepClick(); });
  Remove.Design("< &Remove", [this] { RemoveClick(); });
  Add.Design("&Add", [this] { AddClick(); });
  OK.Design("&OK", [this] { OKClick(); });
  Cancel.Design("&Cancel", [this] { CancelClick(); });
}

void CookiesToKeepDialog::Open() {
  if (Form.Visible()) return Form.BringToFront();
  const CookiesToKeep stored = ReadCookiesToKeep(registry_);
  kept_ = stored.Sites();
  present_ = CookieSitesOf(CookieEntriesOf(cache_));
  std::vector<std::string> items;
  for (const CookieSite& site : present_) items.push_back(site.host + " (" + std::to_string(site.cookies) + ")");
  Present.SetItems(std::move(items));
  Present.SetItemIndex(-1);
  Typed.SetText({});
  ShowKept(-1);
  if (!stored.LeftOut().empty()) {
    std::string text = kKeptSitesLeftOutPrefix;
    for (const std::string& leftOut : stored.LeftOut()) text += "\n" + leftOut;
    prompts_.Message(MessageKind::Warning, text, MessageButtons::Ok);
  }
  if (showModal) showModal();
}

void CookiesToKeepDialog::PresentClick() {
  const int selected = Present.ItemIndex();
  if (selected >= 0 && selected < static_cast<int>(present_.size())) Typed.SetText(present_[selected].host);
}

void CookiesToKeepDialog::KeptClick() {
  const int selected = Kept.ItemIndex();
  if (selected >= 0 && selected < static_cast<int>(kept_.size())) Typed.SetText(kept_[selected]);
}

void CookiesToKeepDialog::KeepClick() {
  const int selected = Present.ItemIndex();
  if (selected < 0 || selected >= static_cast<int>(present_.size())) return Warn(kKeptSiteNotSelected);
  KeepSite(present_[selected].host);
}

void CookiesToKeepDialog::AddClick() {
  // Taken by value: a box runs messages, and the text may change meanwhile.
  const std::string typed = Typed.Text();
  if (KeepSite(typed)) Typed.SetText({});
}

bool CookiesToKeepDialog::KeepSite(const std::string& typed) {
  const KeptSiteCheck check = CheckKeptSite(typed);
  if (!check.refusal.empty()) {
    Warn(kKeptSiteRefusedPrefix + ("\"" + typed + "\": ") + check.refusal + ".");
    return false;
  }
  const auto at = std::find(kept_.begin(), kept_.end(), check.host);
  if (at != kept_.end()) {
    ShowKept(static_cast<int>(at - kept_.begin()));
    Warn(kKeptSiteAlready);
    return false;
  }
  kept_.push_back(check.host);
  ShowKept(static_cast<int>(kept_.size()) - 1);
  return true;
}

void CookiesToKeepDialog::RemoveClick() {
  const int selected = Kept.ItemIndex();
  if (selected < 0 || selected >= static_cast<int>(kept_.size())) return Warn(kKeptSiteNotSelected);
  kept_.erase(kept_.begin() + selected);
  ShowKept(-1);
}

void CookiesToKeepDialog::OKClick() {
  // A refused write is the error box's; the window stays with the list.
  StoreCookiesToKeep(registry_, kept_);
  Form.SetVisible(false);
}

void CookiesToKeepDialog::KeptKeyDown(int& key) {
  if (key != kDeleteKey) return;
  key = 0;
  RemoveClick();
}

void CookiesToKeepDialog::TypedKeyPress(char& key) {
  if (key != kEnterCharacter) return;
  key = 0;
  AddClick();
}

void CookiesToKeepDialog::ShowKept(int selected) {
  Kept.SetItems(kept_);
  Kept.SetItemIndex(selected);
}

void CookiesToKeepDialog::Warn(const std::string& text) {
  prompts_.Message(MessageKind::Warning, text, MessageButtons::Ok);
}

}  // namespace vandrel
