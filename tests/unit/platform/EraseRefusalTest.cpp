#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/EraseRefusal.h"
#include "platform/FullPath.h"
#include "platform/NameMask.h"

namespace vandrel {
namespace {

const std::vector<KeptFolder> kProtected{"C:\\WINDOWS",
                                         "C:\\WINDOWS\\system32",
                                         "C:\\Program Files",
                                         "C:\\Documents and Settings\\User",
                                         {"C:\\Documents and Settings\\User\\My Documents", true}};

struct Case {
  const char* folder;
  const char* mask;
  bool refused;
};

TEST(EraseRefusal, RefusesRootsProtectedFoldersAndTheirAncestorsInEverySpelling) {
  const Case cases[] = {
      // Drive and share roots, however they are written.
      {"", "*.*", true},
      {"C:\\", "*.*", true},
      {"C:\\.", "*.*", true},
      {"C:\\\\", "*.*", true},
      {"c:/", "*.*", true},
      {"\\\\?\\C:\\", "*.*", true},
      {"\\\\.\\C:\\", "*.*", true},
      {"C:\\Temp\\..", "*.*", true},
      {"C:\\Temp\\..\\..\\..", "*.*", true},
      {"\\\\server\\share", "*.*", true},
      {"\\\\server\\share\\", "*.*", true},
      {"\\\\?\\UNC\\server\\share\\.", "*.*", true},
      {"D:\\ ", "*", true},
      // Protected folders, their ancestors, other spellings of them.
      {"C:\\Windows", "*.*", true},
      {"c:\\windows\\", "*.*", true},
      {"C:\\WINDOWS.", "*.*", true},
      {"C:/Windows/System32", "*.*", true},
      {"C:\\Windows\\Temp\\..", "*.*", true},
      {"\\\\?\\C:\\Program Files", "*.*", true},
      {"C:\\Documents and Settings", "*.*", true},
      {"C:\\Documents and Settings\\User", "*.*", true},
      {"C:\\Windows", "*", true},
      {"C:\\Windows", "????????.???", true},
      // The user's own files, and every folder inside them, whatever the mask.
      {"C:\\Documents and Settings\\User\\My Documents", "ctd.dat", true},
      {"C:\\Documents and Settings\\User\\My Documents\\Taxes", "*.*", true},
      {"c:\\documents and settings\\user\\MY DOCUMENTS\\Taxes\\2025\\", "*", true},
      {"C:\\Documents and Settings\\User\\My Documents\\Taxes", "Cookies.txt", true},
      // A "share" on the server "?" whose plain form reads as the drive.
      {"\\\\?.\\C:\\Windows", "*.*", true},
      {"\\\\?\\UNC\\?\\C:\\Windows", "*.*", true},
      // Paths that do not name their drive: built on an empty base.
      {"\\Real\\RealOne Player\\", "*.*", true},
      {"\\Real\\Common\\", "Cookies.txt", true},
      {"Real\\history", "*.*", true},
      {"C:Temp\\x", "*.*", true},
      // Masks that reach outside the folder.
      {"C:\\Temp\\x", "..\\*.*", true},
      {"C:\\Temp\\x", "C:\\*.*", true},
      {"C:\\Temp\\x", "", true},
      // What the erase steps may clean.
      {"C:\\Documents and Settings\\User\\Local Settings\\Temp", "*.*", false},
      {"C:\\Documents and Settings\\User\\Favorites\\", "*.*", false},
      {"C:\\Windows\\Temp", "*.*", false},
      {"C:\\Windows", "wmplibrary*.*", false},
      {"C:\\Program Files\\Real\\RealOne Player\\", "ctd.dat", false},
      {"D:\\Temp", "*.*", false},
      {"\\\\server\\share\\temp", "*.*", false},
      {"C:\\Program Files Backup", "*.*", false},
      {"C:\\Documents and Settings\\User\\Cookies", "*.*", false},
      {"C:\\Documents and Settings\\User\\My Documents2", "*.*", false},
      {"C:\\Documents and Settings\\User\\My Documents2\\Taxes", "*.*", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RefusesDeleteFiles(c.folder, c.mask, kProtected), c.refused) << c.folder << " with " << c.mask;
  }
  EXPECT_TRUE(RefusesDeleteTree("C:\\Windows\\", kProtected));
  EXPECT_TRUE(RefusesDeleteTree("C:\\.", kProtected));
  EXPECT_FALSE(RefusesDeleteTree("C:\\Windows\\Temp\\x", kProtected));
  EXPECT_TRUE(RefusesDeleteTree("C:\\Documents and Settings\\User\\My Documents\\Taxes", kProtected));
}

// The spellings in which a folder reaches the refusal: as a step names it,
// or where its handle leads, given as a kernel object name. The platform
// brings both, and the protected folders, into one spelling first (8.3
// names expanded, upper-cased, UTF-8 from the wide text); what is left to
// tell apart is done here. A place that cannot be told is refused.
TEST(EraseRefusal, RefusesAProtectedFolderInEverySpellingOfItsPlace) {
  const std::vector<KeptFolder> kept{"C:\\WINDOWS", "C:\\PROGRAM FILES", "C:\\DOCUMENTS AND SETTINGS\\JÖRG"};
  const auto deviceOf = [](char drive) {
    return drive == 'C' ? "\\Device\\HarddiskVolume1" : drive == 'D' ? "\\Device\\HarddiskVolume10" : "";
  };
  const struct {
    const char* spelling;
    bool refused;
  } cases[] = {
      {"C:\\PROGRAM FILES.", true},
      {"\\\\?\\C:\\PROGRAM FILES", true},
      {"C:\\program files\\", true},
      {"C:\\DOCUMENTS AND SETTINGS\\JÖRG", true},
      {"\\\\?\\C:\\DOCUMENTS AND SETTINGS\\JÖRG. ", true},
      {"C:\\DOCUMENTS AND SETTINGS", true},
      {"C:\\DOCUMENTS AND SETTINGS\\JÖRGEN", false},
      {"C:\\DOCUMENTS AND SETTINGS\\JÖRG\\LOCAL SETTINGS\\TEMP", false},
      // Where a handle leads, as XP names it (and Wine, with a drive).
      {"\\??\\C:\\Program Files", true},
      {"\\Device\\HarddiskVolume1\\Documents and Settings\\JÖRG", true},
      {"\\device\\harddiskvolume1\\PROGRAM FILES\\", true},
      {"\\Device\\HarddiskVolume1\\Temp", false},
      {"\\Device\\HarddiskVolume10\\Program Files", false},   // D:, not C:
      {"\\Device\\HarddiskVolume2\\Program Files", true},     // no drive letter: unknown
      {"\\Device\\Mup\\localhost\\C$\\Program Files", true},  // a share: unknown
      {"\\Device\\LanmanRedirector\\;Z:0\\server\\share", true},
      {"\\Device", true},
  };
  for (const auto& c : cases) {
    const std::string_view spelling = c.spelling;
    const bool objectName =
        spelling.substr(0, 4) == "\\??\\" || spelling.substr(0, 7) == "\\Device" || spelling.substr(0, 7) == "\\device";
    const auto place = objectName ? ParseObjectName(spelling, deviceOf) : ParseFullPath(spelling);
    EXPECT_EQ(!place || RefusesDeleteFiles(PlainForm(*place), "*.*", kept), c.refused) << c.spelling;
  }
  const auto onD = ParseObjectName("\\Device\\HarddiskVolume10\\x", deviceOf);
  ASSERT_TRUE(onD);
  EXPECT_EQ(PlainForm(*onD), "D:\\x");
}

// A refusal names the protected folder concerned, the folder itself
// before one it holds, and says why in the user's words.
TEST(EraseRefusal, TellsWhichFolderAndWhy) {
  using Kind = Refusal::Kind;
  const std::vector<KeptFolder> kept{"C:\\WINDOWS\\system32",
                                     "C:\\WINDOWS",
                                     "C:\\Program Files",
                                     "C:\\Documents and Settings\\Jo",
                                     {"C:\\Documents and Settings\\Jo\\Desktop", true}};
  const struct {
    const char* folder;
    const char* mask;
    Kind kind;
    std::size_t kept;
  } cases[] = {
      {"c:\\windows\\", "*.*", Kind::IsProtected, 1},
      {"C:\\Documents and Settings", "*", Kind::HoldsProtected, 3},
      {"\\\\srv\\share", "*.*", Kind::Root, 0},
      {"C:\\Program Files\\x", "*.*", Kind::None, 0},
      {"Real\\history", "*.*", Kind::NoPlace, 0},
      {"C:\\Windows", "wmplibrary*.*", Kind::None, 0},
      {"C:\\Documents and Settings\\Jo\\Desktop\\x", "*.*", Kind::InsideProtected, 4},
      {"C:\\Documents and Settings\\Jo\\Desktop", "x.txt", Kind::IsProtected, 4},
  };
  for (const auto& c : cases) {
    const Refusal refusal = FindRefusal(c.folder, c.mask, kept);
    EXPECT_EQ(refusal.kind, c.kind) << c.folder;
    EXPECT_EQ(refusal.kept, c.kept) << c.folder;
  }
  EXPECT_EQ(RefusalText({Kind::HoldsProtected}, "Z:\\home", "C:\\users\\jo\\Documents", "the documents"),
            "Not erased: Z:\\home holds the documents (C:\\users\\jo\\Documents).");
  EXPECT_EQ(RefusalText({Kind::InsideProtected}, "C:\\d\\Taxes", "C:\\d", "the documents"),
            "Not erased: C:\\d\\Taxes lies inside the documents (C:\\d).");
  EXPECT_EQ(RefusalText({Kind::CannotTell}, "C:\\x", "", ""),
            "Not erased: C:\\x: where it really lies cannot be told.");
  EXPECT_EQ(RefusalText({}, "C:\\x", "", ""), "");
}

TEST(FullPath, GivesOneSpellingAndTheLongForm) {
  const auto path = ParseFullPath("c:/Temp//a.\\.\\b\\..\\c ");
  ASSERT_TRUE(path);
  EXPECT_EQ(PlainForm(*path), "C:\\Temp\\a\\c");
  EXPECT_EQ(ExtendedLengthForm(*path), "\\\\?\\C:\\Temp\\a\\c");
  EXPECT_EQ(ExtendedLengthForm(*ParseFullPath("\\\\srv\\sh\\x")), "\\\\?\\UNC\\srv\\sh\\x");
  EXPECT_EQ(PlainForm(*ParseFullPath("\\\\?\\UNC\\srv\\sh\\x")), "\\\\srv\\sh\\x");
  EXPECT_EQ(PlainForm(*ParseFullPath("C:\\a\\...\\b")), "C:\\a\\b");
  const std::string deep = "C:\\" + std::string(300, 'd') + "\\" + std::string(40, 'e');
  EXPECT_EQ(PlainForm(*ParseFullPath(deep)), deep);
}

TEST(FullPath, AnEntryMustResolveToItsOwnNameInTheFolder) {
  const FullPath folder = *ParseFullPath("\\\\?\\Z:\\scratch\\victim");
  EXPECT_TRUE(IsEntryOf(*ParseFullPath("Z:\\SCRATCH\\victim\\a.txt"), folder, "A.TXT"));
  EXPECT_FALSE(IsEntryOf(*ParseFullPath("Z:\\scratch\\outside\\a.txt"), folder, "a.txt"));
  EXPECT_FALSE(IsEntryOf(*ParseFullPath("Z:\\scratch\\victim\\b.txt"), folder, "a.txt"));
  EXPECT_FALSE(IsEntryOf(*ParseFullPath("Z:\\scratch\\victim\\sub\\a.txt"), folder, "a.txt"));
  EXPECT_FALSE(IsEntryOf(*ParseFullPath("Z:\\scratch\\victim\\a.txt\\inner"), folder, "a.txt"));
  EXPECT_FALSE(IsEntryOf(*ParseFullPath("Y:\\scratch\\victim\\a.txt"), folder, "a.txt"));
  EXPECT_FALSE(IsEntryOf(folder, folder, ""));
}

TEST(FullPath, APathOnAnEmptyBaseIsEmpty) {
  EXPECT_EQ(PathUnder("", "\\Real\\RealOne Player\\"), "");
  EXPECT_EQ(PathUnder("Real", "x"), "");
  EXPECT_EQ(PathUnder("C:", "x"), "");
  EXPECT_EQ(PathUnder("C:\\Data", "\\Real\\x\\"), "C:\\Data\\Real\\x\\");
  EXPECT_EQ(PathUnder("C:\\Data\\", "Real"), "C:\\Data\\Real");
}

TEST(NameMask, MatchesLikeTheFolderListing) {
  EXPECT_TRUE(MatchesMask("index.dat", "*.*"));
  EXPECT_TRUE(MatchesMask("history", "*.*"));
  EXPECT_TRUE(MatchesMask("WMPLibrary.db", "wmplibrary*.*"));
  EXPECT_TRUE(MatchesMask("wmplibrary", "wmplibrary*.*"));
  EXPECT_FALSE(MatchesMask("xwmplibrary.db", "wmplibrary*.*"));
  EXPECT_TRUE(MatchesMask("CTD.DAT", "ctd.dat"));
  EXPECT_FALSE(MatchesMask("ctd.dat.bak", "ctd.dat"));
  EXPECT_TRUE(MatchesMask("a1.txt", "a?.txt"));
  EXPECT_TRUE(IsDesktopIni("DeskTop.INI"));
  EXPECT_FALSE(IsDesktopIni("desktop.ini.txt"));
}

// Trying every split of the name between the stars would not end here.
TEST(NameMask, ManyStarsAreMatchedWithoutTryingEverySplit) {
  const std::string stars(40, '*');
  const std::string name(40, 'a');
  EXPECT_FALSE(MatchesMask(name, stars + "b"));
  EXPECT_TRUE(MatchesMask(name + "b", stars + "b"));
  EXPECT_FALSE(MatchesMask(name, "*a?*" + stars + "?*b*"));
}

}  // namespace
}  // namespace vandrel
