#include <gtest/gtest.h>

#include "platform/PlatformError.h"
#include "platform/memory/MemoryTraceFiles.h"

namespace vandrel {
namespace {

// The double behaves as the real file layer does, so that the erase steps'
// tests can trust it.
TEST(MemoryTraceFiles, DeletesInsideKeepsDesktopIniAndNeverFollowsALink) {
  MemoryTraceFiles files;
  files.AddFile("C:\\t\\a.txt");
  files.AddFile("C:\\t\\DESKTOP.ini");
  files.AddFile("C:\\t\\sub\\b.txt");
  files.AddLink("C:\\t\\link");
  files.AddFile("C:\\t\\open.txt");
  files.heldOpen.insert("C:\\t\\open.txt");
  std::size_t lastCount = 0, pumps = 0;
  const DeleteCounts counts =
      files.DeleteMatching("C:\\t\\\\", "*.*", true, {[&](std::size_t n) { lastCount = n; }, [&] { ++pumps; }});
  EXPECT_EQ(counts.removed, 4u);  // a.txt, sub\b.txt, sub, link
  EXPECT_EQ(lastCount, 4u);
  EXPECT_EQ(counts.skipped, 1u);
  EXPECT_GE(pumps, 5u);
  EXPECT_TRUE(files.Has("C:\\t\\DESKTOP.ini"));
  EXPECT_TRUE(files.Has("C:\\t\\open.txt"));
  EXPECT_FALSE(files.Has("C:\\t\\sub"));

  // A folder to be emptied that is a link is left; a tree that is one goes
  // as the link alone.
  files.AddLink("C:\\l");
  files.AddFile("C:\\l\\x");
  EXPECT_TRUE(files.DeleteMatching("C:\\l", "*.*", true, {}).rootWasLink);
  EXPECT_EQ(files.DeleteTree("C:\\l", {}).removed, 1u);
  EXPECT_FALSE(files.Has("C:\\l"));
  EXPECT_TRUE(files.Has("C:\\l\\x"));
  EXPECT_TRUE(files.DeleteMatching("C:\\WINDOWS\\..", "*.*", true, {}).refused);
}

// A chain of folders deeper than the walks go, as the real file layer
// meets it: what lies above the bound goes, the folder past it stays whole
// and counts as what stayed, and so does every folder above it.
TEST(MemoryTraceFiles, AFolderDeeperThanTheWalksGoStaysWithAllItHolds) {
  std::string deepest = "C:\\t";
  for (std::size_t level = 0; level < kMaxWalkDepth; ++level) deepest += "\\d";
  MemoryTraceFiles files;
  files.AddFile("C:\\t\\d\\near.txt");
  files.AddFile(deepest + "\\last.txt");     // in the deepest folder walked
  files.AddFile(deepest + "\\d\\past.txt");  // in the first one past it
  files.AddLink(deepest + "\\link");
  files.AddLink(deepest + "\\d\\link");
  const DeleteCounts links = files.RemoveLinksInside("C:\\t", {});
  EXPECT_EQ(links.removed, 1u);
  EXPECT_EQ(links.skipped, 1u);
  EXPECT_TRUE(files.Has(deepest + "\\d\\link"));

  const DeleteCounts counts = files.DeleteTree("C:\\t", {});
  EXPECT_EQ(counts.removed, 2u);
  EXPECT_EQ(counts.skipped, kMaxWalkDepth + 2);  // the folder past the bound, each one above it, the step's own
  EXPECT_FALSE(files.Has("C:\\t\\d\\near.txt"));
  EXPECT_FALSE(files.Has(deepest + "\\last.txt"));
  EXPECT_TRUE(files.Has(deepest + "\\d\\past.txt"));
}

TEST(MemoryTraceFiles, WipesOnlyAPlainFileOfOneLink) {
  MemoryTraceFiles files;
  files.AddFile("C:\\c\\index.dat", "abc");
  files.AddFile("C:\\c\\hard.dat", std::string(40, 'x'), 2);
  EXPECT_EQ(files.WipeIndexFile("C:\\c\\index.dat"), WipeOutcome::Wiped);
  EXPECT_EQ(files.entries.at("C:\\c\\index.dat").content, "Client UrlCache MMF Ver 5.2");
  EXPECT_EQ(files.WipeIndexFile("C:\\c\\hard.dat"), WipeOutcome::LeftAlone);
  EXPECT_EQ(files.WipeIndexFile("C:\\c\\none.dat"), WipeOutcome::Missing);
  files.heldOpen.insert("C:\\c\\index.dat");
  EXPECT_THROW(files.WipeIndexFile("C:\\c\\index.dat"), PlatformError);
}

}  // namespace
}  // namespace vandrel
