#include <gtest/gtest.h>

#include <optional>

#include "fakes/MemoryPlatform.h"
#include "help/HelpCommands.h"
#include "help/TForm4.h"
#include "help/TTipForm.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

// Answers the address prompt with a fixed text, or Cancel, and keeps what
// it was asked.
struct AddressAnswer : Prompts {
  explicit AddressAnswer(std::optional<std::string> typed) : typed(std::move(typed)) {}
  Answer Message(MessageKind, const std::string&, MessageButtons) override { return Answer::Ok; }
  SilenceableAnswer SilenceableMessage(MessageKind, const std::string&, MessageButtons) override {
    return {Answer::Ok, false};
  }
  std::optional<std::string> AddressPrompt(const std::string& text, const std::string& initial) override {
    asked = text;
    offered = initial;
    return typed;
  }
  std::optional<std::string> typed;
  std::string asked, offered;
};

std::vector<std::string> OpenedAfterGoToUrl(std::optional<std::string> typed) {
  MemoryDocumentOpener documents;
  AddressAnswer prompts(std::move(typed));
  GoToUrl(prompts, documents);
  std::vector<std::string> opened;
  for (const auto& request : documents.opened) {
    EXPECT_EQ(request.show, ShowCommand::Hide);
    EXPECT_TRUE(request.ownedByApplication);
    opened.push_back(request.target);
  }
  return opened;
}

TEST(GoToUrlTest, OpensOnlyTextsLongerThanTenCharactersExactlyAsTyped) {
  using Opened = std::vector<std::string>;
  EXPECT_EQ(OpenedAfterGoToUrl("http://"), Opened{});
  EXPECT_EQ(OpenedAfterGoToUrl("http://abc"), Opened{});
  EXPECT_EQ(OpenedAfterGoToUrl("http://abcd"), Opened{"http://abcd"});
  EXPECT_EQ(OpenedAfterGoToUrl(" www.a.example "), Opened{" www.a.example "});
  EXPECT_EQ(OpenedAfterGoToUrl(std::nullopt), Opened{});
}

TEST(GoToUrlTest, AsksWithTheFourLineMessageOfferingHttp) {
  MemoryDocumentOpener documents;
  AddressAnswer prompts(std::nullopt);
  GoToUrl(prompts, documents);
  EXPECT_EQ(prompts.asked,
            "If you use Go instead of typing a url\r\nin address field in your browser it will\r\n"
            "not be shown in the dropdown menu\r\nof the address bar in your browser.");
  EXPECT_EQ(prompts.offered, "http://");
}

TEST(HelpFileTest, LiesBesideTheExecutableAndOpensShownWithoutOwner) {
  EXPECT_EQ(HelpFilePath("C:\\Program Files\\Vandrel\\Vandrel.exe"), "C:\\Program Files\\Vandrel\\help.chm");
  EXPECT_EQ(HelpFilePath("D:Vandrel.exe"), "D:help.chm");
  MemoryPlatform memory;
  TTipForm tip(memory.system, memory.documents);
  tip.Button2Click();
  ASSERT_EQ(memory.documents.opened.size(), 1u);
  EXPECT_EQ(memory.documents.opened[0].target, "C:\\Program Files\\Vandrel\\help.chm");
  EXPECT_EQ(memory.documents.opened[0].show, ShowCommand::Normal);
  EXPECT_FALSE(memory.documents.opened[0].ownedByApplication);
}

class TipAtStartTest : public ::testing::Test {
 protected:
  int StartOnce() {
    int shown = 0;
    ShowTipAtFirstStart(memory.registry, [&] {
      // The value is written only once the tip is closed.
      EXPECT_NE(Stored(), "1");
      ++shown;
    });
    return shown;
  }
  std::optional<std::string> Stored() { return SettingsKey(memory.registry).ReadText("TOD"); }
  MemoryPlatform memory;
};

TEST_F(TipAtStartTest, ShownOnceWhenAbsentThenNeverAgain) {
  EXPECT_EQ(StartOnce(), 1);
  EXPECT_EQ(Stored(), "1");
  EXPECT_EQ(StartOnce(), 0);
}

TEST_F(TipAtStartTest, ShownWhenStoredFalseAndNotWhenStoredTrue) {
  SettingsKey(memory.registry).WriteBool("TOD", false);
  EXPECT_EQ(StartOnce(), 1);
  EXPECT_EQ(Stored(), "1");
  SettingsKey(memory.registry).WriteBool("TOD", true);
  EXPECT_EQ(StartOnce(), 0);
}

TEST(AboutBoxTest, CentresLabelsRoundingTowardZeroAndOpensTheMakersLinksHidden) {
  EXPECT_EQ(CentredLeft(402, 101), 150);
  EXPECT_EQ(CentredLeft(100, 101), 0);  // -1 / 2 rounds toward zero
  EXPECT_EQ(CentredLeft(100, 103), -1);
  MemoryDocumentOpener documents;
  TForm4 about(documents);
  about.Label5Click();
  about.Label3Click();
  ASSERT_EQ(documents.opened.size(), 2u);
  EXPECT_EQ(documents.opened[0].target, "http://www.korvane.example/");
  EXPECT_EQ(documents.opened[1].target, "mailto:support@korvane.example");
  EXPECT_EQ(documents.opened[1].show, ShowCommand::Hide);
}

}  // namespace
}  // namespace vandrel
