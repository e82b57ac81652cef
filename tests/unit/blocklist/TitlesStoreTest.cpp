#include <gtest/gtest.h>

#include <new>

#include "blocklist/CryptString.h"
#include "blocklist/TitlesStore.h"
#include "platform/PlatformError.h"
#include "platform/UpperCaseCollation.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemorySystemInfo.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

using Lines = std::vector<std::string>;

constexpr char kFolder[] = "C:\\Program Files\\Vandrel";
constexpr char kTitles[] = "C:\\Program Files\\Vandrel\\titles.dat";
constexpr char kExport[] = "D:\\Backup\\list.dat";

std::string Scrambled(const Lines& entries) {
  std::string content;
  for (const auto& entry : entries) content += CryptString(entry) + "\r\n";
  return content;
}

class TitlesStoreTest : public ::testing::Test {
 protected:
  void Fill(const Lines& entries) { list.Assign(entries); }
  // The store has loaded the file (here: none, or one kept aside), so saves write.
  void Loaded() {
    auto file = files.files.extract(kTitles);
    store.LoadTitles(list);
    if (file) files.files.insert(std::move(file));
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& message : prompts.Messages()) texts.push_back(message.text);
    return texts;
  }
  // One file dialog was shown, to open or to save titles.dat among .dat files.
  void ExpectOneFileDialog(bool save, const std::string& defaultExtension) const {
    ASSERT_EQ(prompts.FileDialogs().size(), 1u);
    const auto& dialog = prompts.FileDialogs()[0];
    EXPECT_EQ(dialog.save, save);
    EXPECT_EQ(dialog.request.filter, "Block list dat files|*.dat|All files|*.*");
    EXPECT_EQ(dialog.request.fileName, "titles.dat");
    EXPECT_EQ(dialog.request.defaultExtension, defaultExtension);
  }
  void ExpectOneError(const std::string& text) const {
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].kind, MessageKind::Error);
    EXPECT_EQ(prompts.Messages()[0].text, text);
  }

  MemoryFileSystem files;
  MemorySystemInfo system;
  ScriptedPrompts prompts;
  UpperCaseCollation collation{system.UpperCasing()};
  BlockList list{system.UpperCasing(), collation};
  TitlesStore store{files, system, prompts};
};

TEST_F(TitlesStoreTest, TheFileLiesBesideTheExecutable) {
  EXPECT_EQ(store.TitlesPath(), kTitles);
  system.executablePath = "Vandrel.exe";
  EXPECT_EQ(store.TitlesPath(), "titles.dat");
}

TEST_F(TitlesStoreTest, LoadingSortsTheEntriesAndSavingWritesThemInThatOrder) {
  files.files[kTitles] = Scrambled({"zeta", "Alpha", "beta"});
  store.LoadTitles(list);
  EXPECT_EQ(list.Entries(), (Lines{"Alpha", "beta", "zeta"}));
  store.SaveTitlesClick(list);
  EXPECT_EQ(files.files[kTitles], Scrambled({"Alpha", "beta", "zeta"}));
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(TitlesStoreTest, LoadingKeepsDuplicatesAndEmptyLines) {
  files.files[kTitles] = Scrambled({"ads", "", "ADS", "ads"});
  store.LoadTitles(list);
  EXPECT_EQ(list.Entries(), (Lines{"", "ads", "ADS", "ads"}));
}

TEST_F(TitlesStoreTest, LoadingWithoutAFileOrFromAnEmptyOneGivesAnEmptyListSilently) {
  store.LoadTitles(list);
  files.files[kTitles] = "";
  store.LoadTitles(list);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(TitlesStoreTest, LoadingStopsAtANulAndSplitsAtLoneLineEnds) {
  files.files[kTitles] = CryptString("a") + "\r" + CryptString("b") + "\n" + CryptString("c") + std::string(2, '\0');
  store.LoadTitles(list);
  EXPECT_EQ(list.Entries(), (Lines{"a", "b", "c"}));
  EXPECT_TRUE(prompts.Messages().empty()) << "nothing follows the NULs: nothing is lost";
}

TEST_F(TitlesStoreTest, AFileWhoseTailIsLostIsCopiedAndToldOnceBeforeASaveWritesOverIt) {
  const std::string damaged = Scrambled({"a"}) + std::string(1, '\0') + Scrambled({"lost"});
  const std::string copy = std::string(kFolder) + "\\titles.damaged.dat";
  const std::string secondCopy = std::string(kFolder) + "\\titles.damaged-2.dat";
  files.files[copy] = "an earlier run's copy";
  files.files[kTitles] = damaged;
  files.unwritableFolders.insert(kFolder);
  store.LoadTitles(list);
  store.SaveTitlesClick(list);  // the copy cannot be made: titles.dat stays as it is
  EXPECT_EQ(files.files[kTitles], damaged);
  EXPECT_EQ(Shown(), (Lines{"Cannot create file " + secondCopy, "Cannot create file " + secondCopy}));

  files.unwritableFolders.clear();
  store.SaveTitlesClick(list);
  store.SaveTitlesClick(list);
  EXPECT_EQ(files.files[secondCopy], damaged);
  EXPECT_EQ(files.files[copy], "an earlier run's copy");
  EXPECT_EQ(files.files[kTitles], Scrambled({"a"}));
  ASSERT_EQ(prompts.Messages().size(), 3u);
  EXPECT_EQ(prompts.Messages()[2].kind, MessageKind::Warning);
  EXPECT_EQ(prompts.Messages()[2].text, FormatMessageText(kTitlesDamaged, secondCopy));
}

TEST_F(TitlesStoreTest, EntriesWithEveryCharacterSurviveSavingAndLoading) {
  const Lines titles{"Re: winner", "Top 10 offers", "Win 7 prizes",
                     "\x1B"
                     "C",
                     ""};
  Fill(titles);
  Loaded();
  store.SaveTitlesClick(list);
  BlockList reloaded(system.UpperCasing(), collation);
  store.LoadTitles(reloaded);
  EXPECT_EQ(reloaded.Entries(), list.Entries());
  EXPECT_EQ(reloaded.Count(), titles.size());
}

TEST_F(TitlesStoreTest, AFileOfTensOfMegabytesLoadsWhole) {
  Lines entries;
  for (int i = 0; i < 100'000; ++i) entries.push_back("Cheap offers, page " + std::to_string(i));
  entries.push_back(std::string(16'000'000, 'x') + "0");
  Fill(entries);
  Loaded();
  store.SaveTitlesClick(list);
  ASSERT_GT(files.files[kTitles].size(), 18'000'000u);
  BlockList reloaded(system.UpperCasing(), collation);
  store.LoadTitles(reloaded);
  EXPECT_EQ(reloaded.Entries(), list.Entries());
}

TEST_F(TitlesStoreTest, SavingAnEmptyListWritesAnEmptyFile) {
  files.files[kTitles] = Scrambled({"old"});
  Loaded();
  store.SaveTitlesClick(list);
  EXPECT_EQ(files.files[kTitles], "");
}

TEST_F(TitlesStoreTest, AFailedSaveIsReportedAndKeepsTheOldFileAndTheList) {
  files.files[kTitles] = Scrambled({"old"});
  Fill({"new", "newer"});
  files.unwritableFolders.insert(kFolder);
  Loaded();
  store.SaveTitlesClick(list);
  ExpectOneError(std::string("Cannot create file ") + kTitles);

  files.unwritableFolders.clear();
  files.failNextWriteAfter = 3;  // the disk fills up while writing
  store.SaveTitlesClick(list);
  EXPECT_EQ(Shown().size(), 2u);
  EXPECT_EQ(files.files[kTitles], Scrambled({"old"}));
  EXPECT_EQ(list.Entries(), (Lines{"new", "newer"}));

  store.SaveTitlesClick(list);  // the disk has room again
  EXPECT_EQ(files.files[kTitles], Scrambled({"new", "newer"}));
}

TEST_F(TitlesStoreTest, AnUnreadableFileIsReportedAndNotWrittenOverUntilItIsRead) {
  files.files[kTitles] = Scrambled({"kept"});
  files.unreadable.insert(kTitles);
  store.LoadTitles(list);
  ExpectOneError(std::string("Cannot open file ") + kTitles);
  EXPECT_EQ(list.Count(), 0u);

  list.Add("added meanwhile");
  store.SaveTitlesClick(list);  // still unreadable: the file's entries would be lost
  EXPECT_EQ(Shown().back(), std::string("Cannot create file ") + kTitles);
  EXPECT_EQ(files.files[kTitles], Scrambled({"kept"}));
  EXPECT_EQ(files.writeCount, 0);

  files.unreadable.clear();
  store.SaveTitlesClick(list);  // now both the file's and the session's entries are kept
  EXPECT_EQ(list.Entries(), (Lines{"added meanwhile", "kept"}));
  EXPECT_EQ(files.files[kTitles], Scrambled({"added meanwhile", "kept"}));
  store.SaveTitlesClick(list);
  EXPECT_EQ(list.Count(), 2u) << "the file is merged once only";
}

TEST_F(TitlesStoreTest, ASaveBeforeTheLoadWritesNothingAndTheLoadKeepsWhatWasAdded) {
  files.files[kTitles] = Scrambled({"kept"});
  store.SaveTitlesClick(list);  // the session ends during a start-up box
  list.Add("added meanwhile");  // a tray add during that box
  store.SaveTitlesClick(list);
  EXPECT_EQ(files.writeCount, 0);
  EXPECT_EQ(files.files[kTitles], Scrambled({"kept"}));

  store.LoadTitles(list);
  store.SaveTitlesClick(list);
  EXPECT_EQ(files.files[kTitles], Scrambled({"added meanwhile", "kept"}));
  EXPECT_TRUE(prompts.Messages().empty());
}

// Runs out of memory while sorting a file's entries, as a huge file would.
class ExhaustedCollation : public TextCollation {
 public:
  explicit ExhaustedCollation(const TextCollation& inner) : inner_(inner) {}
  bool exhausted = true;
  int Compare(std::string_view a, std::string_view b) const override { return inner_.Compare(a, b); }
  std::string SortKey(std::string_view text) const override {
    if (exhausted) throw std::bad_alloc();
    return inner_.SortKey(text);
  }

 private:
  const TextCollation& inner_;
};

TEST_F(TitlesStoreTest, AFileTooLargeForMemoryIsReportedKeptAndNeverWrittenOver) {
  ExhaustedCollation exhausted(collation);
  BlockList tight(system.UpperCasing(), exhausted);
  tight.Add("added");
  files.files[kTitles] = Scrambled({"kept", "more"});
  EXPECT_NO_THROW(store.LoadTitles(tight));
  ExpectOneError(std::string("Cannot open file ") + kTitles);
  EXPECT_EQ(tight.Entries(), Lines{"added"});

  EXPECT_NO_THROW(store.SaveTitlesClick(tight));  // the merge runs out of memory too
  EXPECT_EQ(Shown().back(), std::string("Cannot create file ") + kTitles);
  EXPECT_EQ(files.writeCount, 0);
  EXPECT_EQ(tight.Entries(), Lines{"added"});

  exhausted.exhausted = false;
  store.SaveTitlesClick(tight);
  EXPECT_EQ(files.files[kTitles], Scrambled({"added", "kept", "more"}));
}

TEST_F(TitlesStoreTest, ImportAddsTheNonEmptyLinesNotYetPresentAndReportsSuccess) {
  Fill({"Casino"});
  files.files[kExport] = "casino\r\n\r\nCASINO\r\npoker\r\n";
  prompts.ScriptFile(kExport);
  store.ImportClick(list);
  EXPECT_EQ(list.Entries(), (Lines{"Casino", "poker"}));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(prompts.Messages()[0].text, "Titles imported successfully.");
  EXPECT_EQ(prompts.Messages()[0].buttons, MessageButtons::Ok);
  ExpectOneFileDialog(false, "*.dat");
  EXPECT_EQ(files.writeCount, 0) << "an import writes no file";
}

TEST_F(TitlesStoreTest, ImportReadsPlainLinesUntrimmedAndAddsScrambledOnesAsTheyAre) {
  files.files[kExport] = Scrambled({"ads", "news"}) + " padded \r\nab\n";
  prompts.ScriptFile(kExport);
  store.ImportClick(list);
  EXPECT_GE(list.IndexOf(CryptString("ads")), 0);
  EXPECT_GE(list.IndexOf(CryptString("news")), 0);
  EXPECT_GE(list.IndexOf(" padded "), 0);
  EXPECT_GE(list.IndexOf("ab"), 0);
  EXPECT_EQ(list.IndexOf("ads"), -1);
  EXPECT_EQ(list.Count(), 4u);
}

TEST_F(TitlesStoreTest, ImportWithNothingNewStillReportsSuccess) {
  Fill({"poker"});
  files.files[kExport] = "";
  prompts.ScriptFile(kExport);
  store.ImportClick(list);
  EXPECT_EQ(Shown(), Lines{"Titles imported successfully."});
  EXPECT_EQ(list.Entries(), Lines{"poker"});
}

TEST_F(TitlesStoreTest, ImportStopsSilentlyOnCancelOrAMissingFile) {
  Fill({"poker"});
  prompts.ScriptFile(std::nullopt);
  store.ImportClick(list);
  prompts.ScriptFile("D:\\nowhere.dat");
  store.ImportClick(list);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(list.Entries(), Lines{"poker"});
}

TEST_F(TitlesStoreTest, AnUnreadableImportFileIsReportedAndAddsNothing) {
  Fill({"poker"});
  files.files[kExport] = "dice\r\n";
  files.unreadable.insert(kExport);
  prompts.ScriptFile(kExport);
  store.ImportClick(list);
  ExpectOneError(std::string("Cannot open file ") + kExport);
  EXPECT_EQ(list.Entries(), Lines{"poker"});
}

TEST_F(TitlesStoreTest, ExportWritesPlainLinesToANewFileWithoutAsking) {
  Fill({"Re: winner", "Alpha", ""});
  prompts.ScriptFile(kExport);
  store.ExportClick(list);
  EXPECT_EQ(files.files[kExport], "\r\nAlpha\r\nRe: winner\r\n");
  EXPECT_TRUE(prompts.Messages().empty());
  ExpectOneFileDialog(true, ".dat");
}

TEST_F(TitlesStoreTest, ExportAsksBeforeReplacingAFileAndNoLeavesItUntouched) {
  Fill({"poker"});
  files.files[kExport] = "old\r\n";
  prompts.ScriptFile(kExport);
  prompts.Script(Answer::No);
  store.ExportClick(list);
  EXPECT_EQ(files.files[kExport], "old\r\n");
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].kind, MessageKind::Confirmation);
  EXPECT_EQ(prompts.Messages()[0].text, "Are you sure to overwrite the selected file?");
  EXPECT_EQ(prompts.Messages()[0].buttons, MessageButtons::YesNo);

  prompts.ScriptFile(kExport);
  prompts.Script(Answer::Yes);
  store.ExportClick(list);
  EXPECT_EQ(files.files[kExport], "poker\r\n");
}

TEST_F(TitlesStoreTest, ExportDoesNothingOnCancelAndReportsATargetThatCannotBeCreated) {
  Fill({"poker"});
  prompts.ScriptFile(std::nullopt);
  store.ExportClick(list);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(files.writeCount, 0);

  files.unwritableFolders.insert("D:\\Backup");
  prompts.ScriptFile(kExport);
  store.ExportClick(list);
  ExpectOneError(std::string("Cannot create file ") + kExport);
  EXPECT_FALSE(files.Exists(kExport));
  EXPECT_EQ(list.Entries(), Lines{"poker"});
}

}  // namespace
}  // namespace vandrel
