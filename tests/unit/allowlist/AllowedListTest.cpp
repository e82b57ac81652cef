#include <gtest/gtest.h>

#include "allowlist/AllowedListDialog.h"
#include "allowlist/AllowedStore.h"
#include "blocklist/TitlesFile.h"
#include "platform/PlatformError.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemorySystemInfo.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

constexpr char kAllowedPath[] = "C:\\Program Files\\Vandrel\\allowed.dat";

struct MatchRow {
  AllowedEntry entry;
  const char* seen;  // a title part, or an address for a site
  bool allowed;
};

TEST(AllowedListTest, TitlePartsIgnoreCaseAndSitesCoverTheirSubdomainsOnly) {
  const MatchRow rows[] = {
      {{AllowedKind::Title, "Web Mail"}, "My WEB MAIL inbox", true},
      {{AllowedKind::Title, "Web Mail"}, "Webmail", false},
      {{AllowedKind::Site, "mail.example.com"}, "http://mail.example.com/inbox", true},
      {{AllowedKind::Site, "Mail.Example.COM"}, "https://user@MAIL.example.com:8080/", true},
      {{AllowedKind::Site, "example.com"}, "http://news.mail.example.com/", true},
      {{AllowedKind::Site, "example.com"}, "http://badexample.com/", false},
      {{AllowedKind::Site, "example.com"}, "http://example.com.evil.net/", false},
      {{AllowedKind::Site, "mail.example.com"}, "http://example.com/", false},
      {{AllowedKind::Site, "example.com"}, "", false},
      {{AllowedKind::Site, "example.com"}, "about:blank", false},
  };
  MemorySystemInfo system;
  for (const MatchRow& row : rows) {
    AllowedList list(system.UpperCasing());
    list.Add(row.entry);
    const bool allowed =
        row.entry.kind == AllowedKind::Title ? list.AllowsTitle(row.seen) : list.AllowsAddress(row.seen);
    EXPECT_EQ(allowed, row.allowed) << row.entry.text << " / " << row.seen;
    // A title entry never matches an address, nor a site a title.
    EXPECT_FALSE(row.entry.kind == AllowedKind::Title ? list.AllowsAddress(row.seen) : list.AllowsTitle(row.seen));
  }
}

std::string Repeated(const std::string& text, std::size_t times) {
  std::string repeated;
  for (std::size_t i = 0; i < times; ++i) repeated += text;
  return repeated;
}

TEST(AllowedListTest, TypedEntriesAreCheckedAndASiteKeepsOnlyItsHost) {
  struct Row {
    AllowedKind kind;
    std::string typed, text, problem, note;
  };
  const Row rows[] = {
      {AllowedKind::Title, "", "", kAllowedEntryEmpty, ""},
      {AllowedKind::Site, "   ", "", kAllowedEntryEmpty, ""},
      {AllowedKind::Title, " Mail ", " Mail ", "", ""},
      {AllowedKind::Title, std::string(255, 'x'), std::string(255, 'x'), kAllowedEntryTooLong, ""},
      // Counted in characters of the code page (932 here): "ア" is two bytes.
      {AllowedKind::Title, Repeated("\x83\x41", 254), Repeated("\x83\x41", 254), "", ""},
      {AllowedKind::Title, Repeated("\x83\x41", 255), "", kAllowedEntryTooLong, ""},
      {AllowedKind::Site, "http://mail.example.com/inbox", "mail.example.com", "",
       std::string(kAllowedSiteCut) + "mail.example.com"},
      {AllowedKind::Site, " Mail.Example.com ", "mail.example.com", "", ""},
      {AllowedKind::Site, "mail example.com", "mail example.com", kAllowedSiteInvalid, ""},
      {AllowedKind::Site, "http:///inbox", "", kAllowedSiteInvalid, ""},
  };
  for (const Row& row : rows) {
    const CheckedEntry checked = CheckAllowedEntry(row.kind, row.typed, LeadBytesOfCodePage(932));
    EXPECT_EQ(checked.problem, row.problem) << row.typed;
    if (row.problem.empty()) {
      EXPECT_EQ(checked.text, row.text) << row.typed;
    }
    EXPECT_EQ(checked.note, row.note) << row.typed;
  }
}

TEST(AllowedStoreTest, ADamagedFileKeepsWhatLoadsAndIsCopiedBesideBeforeAnySave) {
  MemoryFileSystem files;
  MemorySystemInfo system;
  ScriptedPrompts prompts;
  AllowedStore store(files, system, prompts);
  AllowedList list(system.UpperCasing());
  // Entries with the characters titles.dat escapes survive a round trip.
  list.Add({AllowedKind::Title, "Mail 0:7"});
  list.Add({AllowedKind::Site, "mail.example.com"});
  store.Load(list);
  ASSERT_TRUE(store.Save(list));
  AllowedList reloaded(system.UpperCasing());
  AllowedStore(files, system, prompts).Load(reloaded);
  EXPECT_EQ(reloaded.Entries(), list.Entries());
  EXPECT_TRUE(prompts.Messages().empty());

  // A record of an unknown kind among good ones: the file as it was is kept
  // beside it before the first save, an earlier run's copy too.
  std::size_t unreadable = 0;
  const auto good = DecodeAllowed(files.files[kAllowedPath], unreadable);
  files.files[kAllowedPath] = EncodeAllowed(good) + EncodeTitles({"Xweird", "S"});
  const std::string damaged = files.files[kAllowedPath];
  const std::string earlierCopy = "C:\\Program Files\\Vandrel\\allowed.damaged.dat";
  const std::string copy = "C:\\Program Files\\Vandrel\\allowed.damaged-2.dat";
  files.files[earlierCopy] = "an earlier run's";
  AllowedList partial(system.UpperCasing());
  AllowedStore damagedStore(files, system, prompts);
  damagedStore.Load(partial);
  EXPECT_EQ(partial.Entries(), list.Entries());
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, FormatMessageText(kAllowedFileDamaged, kAllowedPath) + "\r\n" +
                                            FormatMessageText(kAllowedFileCopied, copy));
  EXPECT_EQ(files.files[copy], damaged);
  EXPECT_EQ(files.files[earlierCopy], "an earlier run's");
  EXPECT_TRUE(damagedStore.Save(partial));
  EXPECT_EQ(files.files[kAllowedPath], EncodeAllowed(list.Entries()));

  // Where no copy can be written, no save writes over the damaged file.
  files.files[kAllowedPath] = damaged;
  files.unwritableFolders.insert("C:\\Program Files\\Vandrel");
  AllowedStore uncopiedStore(files, system, prompts);
  AllowedList uncopied(system.UpperCasing());
  uncopiedStore.Load(uncopied);
  uncopied.Add({AllowedKind::Site, "example.net"});
  EXPECT_FALSE(uncopiedStore.Save(uncopied));
  EXPECT_EQ(files.files[kAllowedPath], damaged);
  ASSERT_EQ(prompts.Messages().size(), 3u);
  EXPECT_EQ(prompts.Messages()[1].text,
            FormatMessageText(kAllowedFileDamaged, kAllowedPath) + "\r\n" + kAllowedFileNotCopied);
  EXPECT_EQ(prompts.Messages()[2].text,
            FormatMessageText(kCannotCreateFile, "C:\\Program Files\\Vandrel\\allowed.damaged-3.dat"));
  files.unwritableFolders.clear();
  EXPECT_TRUE(uncopiedStore.Save(uncopied));
  EXPECT_EQ(files.files["C:\\Program Files\\Vandrel\\allowed.damaged-3.dat"], damaged);
  files.files[kAllowedPath] = EncodeAllowed(list.Entries());

  // A file held open at the start: no save writes it until it can be read,
  // and then what it holds is kept beside the change.
  files.unreadable.insert(kAllowedPath);
  AllowedList held(system.UpperCasing());
  AllowedStore heldStore(files, system, prompts);
  heldStore.Load(held);
  held.Add({AllowedKind::Site, "example.org"});
  EXPECT_FALSE(heldStore.Save(held));
  EXPECT_EQ(files.files[kAllowedPath], EncodeAllowed(list.Entries()));
  ASSERT_EQ(prompts.Messages().size(), 5u);
  EXPECT_EQ(prompts.Messages()[3].text, FormatMessageText(kCannotOpenFile, kAllowedPath));
  EXPECT_EQ(prompts.Messages()[4].text, FormatMessageText(kAllowedFileNotWritten, kAllowedPath));
  files.unreadable.clear();
  EXPECT_TRUE(heldStore.Save(held));
  AllowedList after(system.UpperCasing());
  AllowedStore(files, system, prompts).Load(after);
  EXPECT_EQ(after.Entries().size(), 3u);
  EXPECT_GE(after.IndexOf(AllowedKind::Site, "example.org"), 0);
}

TEST(AllowedListDialogTest, EditsCheckedEntriesWritesEachChangeAndNamesTheOverriddenBlockListEntries) {
  MemoryFileSystem files;
  MemorySystemInfo system;
  MemoryRegistry registry;
  ScriptedPrompts prompts;
  AllowedList list(system.UpperCasing());
  AllowedStore store(files, system, prompts);
  store.Load(list);
  BlockList blockList(system.UpperCasing());
  blockList.Assign({"ads", "news"});
  BlockListPassword password(registry, prompts);
  Settings settings;
  AllowedListDialog dialog(list, store, blockList, password, prompts, settings, registry);
  const auto type = [&](int kind, const std::string& text) {
    dialog.Kind.SetItemIndex(kind);
    dialog.EntryText.UserTyped(text);
  };
  dialog.FormShow();
  EXPECT_EQ(dialog.Overrides.Caption(), kOverridesNone);

  type(1, "http://Mail.Example.com/inbox");
  dialog.AddClick();
  type(0, "Daily NEWS");
  dialog.AddClick();
  dialog.AddClick();  // the same again
  type(0, "   ");
  dialog.AddClick();
  type(0, "ab");
  char enter = '\r';
  dialog.EntryTextKeyPress(enter);
  EXPECT_EQ(dialog.Entries.Items(), (std::vector<std::string>{"Site: mail.example.com", "Title: Daily NEWS"}));
  std::vector<std::string> shown;
  for (const auto& message : prompts.Messages()) shown.push_back(message.text);
  EXPECT_EQ(shown, (std::vector<std::string>{std::string(kAllowedSiteCut) + "mail.example.com", kAllowedAlreadyThere,
                                             kAllowedEntryEmpty, kAllowedTitleTooShort}));
  EXPECT_EQ(dialog.Overrides.Caption(), std::string(kOverridesPrefix) + "'news'");

  dialog.Entries.UserSelect(0);
  EXPECT_EQ(dialog.EntryText.Text(), "mail.example.com");
  type(1, "example.com");
  dialog.ChangeClick();
  dialog.Entries.UserSelect(1);
  type(1, "EXAMPLE.com");  // into the other entry: refused, nothing changes
  dialog.ChangeClick();
  EXPECT_EQ(prompts.Messages().back().text, kAllowedAlreadyThere);
  EXPECT_EQ(dialog.Entries.Items(), (std::vector<std::string>{"Site: example.com", "Title: Daily NEWS"}));
  prompts.Script(Answer::Yes);  // "Do you really want to delete this title?"
  int del = 46;
  dialog.EntriesKeyDown(del);
  const std::vector<AllowedEntry> left{{AllowedKind::Site, "example.com"}};
  EXPECT_EQ(list.Entries(), left);
  EXPECT_EQ(files.files[kAllowedPath], EncodeAllowed(left));  // written at each change

  // A proposal from the tray while the window is open never types over the
  // user's text; an empty entry takes it.
  dialog.Form.SetVisible(true);
  type(1, "half typed");
  dialog.Propose(AllowedKind::Title, "Daily offers");
  EXPECT_EQ(dialog.EntryText.Text(), "half typed");
  EXPECT_EQ(dialog.Kind.ItemIndex(), 1);
  type(1, "");
  dialog.Propose(AllowedKind::Title, "Daily offers");
  EXPECT_EQ(dialog.EntryText.Text(), "Daily offers");
  EXPECT_EQ(dialog.Kind.ItemIndex(), 0);
}

}  // namespace
}  // namespace vandrel
