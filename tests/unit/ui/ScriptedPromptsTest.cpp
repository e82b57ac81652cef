// The scripted Prompts double that form tests answer their questions with.
#include "ui/memory/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

TEST(UiScriptedPrompts, RecordsEveryMessageAndAnswersInScriptOrder) {
  ScriptedPrompts prompts;
  prompts.Script(Answer::No);
  prompts.Script(Answer::Yes, true);
  EXPECT_EQ(prompts.Message(MessageKind::Confirmation, "Erase?", MessageButtons::YesNo), Answer::No);
  const SilenceableAnswer exit = prompts.SilenceableMessage(MessageKind::Confirmation, "Exit?", MessageButtons::YesNo);
  EXPECT_EQ(exit.answer, Answer::Yes);
  EXPECT_TRUE(exit.dontShowAgain);
  ASSERT_EQ(prompts.Messages().size(), 2u);
  EXPECT_EQ(prompts.Messages()[0].text, "Erase?");
  EXPECT_FALSE(prompts.Messages()[0].silenceable);
  EXPECT_EQ(prompts.Messages()[1].kind, MessageKind::Confirmation);
  EXPECT_TRUE(prompts.Messages()[1].silenceable);
  EXPECT_EQ(prompts.Unused(), 0u);
}

TEST(UiScriptedPrompts, PlainOkBoxesAnswerOkWithoutTakingFromTheScript) {
  ScriptedPrompts prompts;
  prompts.Script(Answer::Cancel);
  prompts.ShowError("Cannot open file titles.dat");
  EXPECT_EQ(prompts.Message(MessageKind::Information, "Done.", MessageButtons::Ok), Answer::Ok);
  EXPECT_EQ(prompts.Unused(), 1u);
  EXPECT_EQ(prompts.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(prompts.Messages()[0].buttons, MessageButtons::Ok);
}

TEST(UiScriptedPrompts, QuestionWithoutScriptedAnswerFailsLoudly) {
  ScriptedPrompts prompts;
  EXPECT_THROW(prompts.Message(MessageKind::Warning, "Retry?", MessageButtons::RetryCancel), std::logic_error);
  EXPECT_THROW(prompts.SilenceableMessage(MessageKind::Information, "Tip", MessageButtons::Ok), std::logic_error);
  // Still recorded, so the failure shows what was asked.
  EXPECT_EQ(prompts.Messages().size(), 2u);
}

TEST(UiScriptedPrompts, AnswerThatIsNotAButtonOfTheBoxFails) {
  ScriptedPrompts prompts;
  prompts.Script(Answer::Yes);
  EXPECT_THROW(prompts.Message(MessageKind::Confirmation, "Continue?", MessageButtons::OkCancel), std::logic_error);
  prompts.Script(Answer::Retry);
  EXPECT_EQ(prompts.Message(MessageKind::Error, "Busy", MessageButtons::RetryCancel), Answer::Retry);
}

}  // namespace
}  // namespace vandrel
