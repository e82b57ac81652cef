#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Prompts.h"

namespace vandrel {

// Prompts answered from a script, for tests: every message is recorded, and
// every question takes the next scripted answer. A question with nothing
// scripted, or an answer that is not one of the box's buttons, is a broken
// test and throws std::logic_error. A plain box with OK alone has only one
// answer: it takes nothing from the script.
class ScriptedPrompts : public Prompts {
 public:
  struct Shown {
    MessageKind kind;
    std::string text;
    MessageButtons buttons;
    bool silenceable;
  };

  // The next question's answer; a silenceable box's check box stays unticked.
  void Script(Answer answer) { script_.push_back({answer, false}); }
  // The next question's answer with the state of "Don't show me this again.".
  void Script(Answer answer, bool dontShowAgain) { script_.push_back({answer, dontShowAgain}); }

  struct FileDialog {
    bool save;  // a save-file dialog, else an open-file dialog
    FileDialogRequest request;
  };

  // The next file dialog's answer: a path, or nothing for Cancel.
  void ScriptFile(std::optional<std::string> path) { fileScript_.push_back(std::move(path)); }

  // The next password prompt's answer: the typed text, or nothing for Cancel.
  void ScriptPassword(std::optional<std::string> typed) { passwordScript_.push_back(std::move(typed)); }

  // Runs while the next message box is up, as the messages a real box's
  // loop dispatches (a timer, a tray press) would.
  void WhileNextBoxIsUp(std::function<void()> action) { whileUp_.push_back(std::move(action)); }

  const std::vector<Shown>& Messages() const { return shown_; }
  const std::vector<FileDialog>& FileDialogs() const { return fileDialogs_; }
  // The texts of the password prompts shown, in order.
  const std::vector<std::string>& PasswordPrompts() const { return passwordPrompts_; }
  std::size_t Unused() const { return script_.size() + fileScript_.size() + passwordScript_.size(); }

  Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) override {
    shown_.push_back({kind, text, buttons, false});
    RunWhileUp();
    if (buttons == MessageButtons::Ok) return Answer::Ok;
    return Next(text, buttons).answer;
  }

  SilenceableAnswer SilenceableMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override {
    shown_.push_back({kind, text, buttons, true});
    RunWhileUp();
    return Next(text, buttons);
  }

  std::optional<std::string> OpenFile(const FileDialogRequest& request) override { return NextFile(false, request); }
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override { return NextFile(true, request); }

  std::optional<std::string> PasswordPrompt(const std::string& text) override {
    passwordPrompts_.push_back(text);
    if (passwordScript_.empty()) throw std::logic_error("No answer scripted for the password prompt \"" + text + "\"");
    auto next = std::move(passwordScript_.front());
    passwordScript_.pop_front();
    return next;
  }

 private:
  void RunWhileUp() {
    if (whileUp_.empty()) return;
    auto action = std::move(whileUp_.front());
    whileUp_.pop_front();
    action();
  }

  std::optional<std::string> NextFile(bool save, const FileDialogRequest& request) {
    fileDialogs_.push_back({save, request});
    if (fileScript_.empty()) throw std::logic_error("No answer scripted for a file dialog");
    auto next = std::move(fileScript_.front());
    fileScript_.pop_front();
    return next;
  }

  SilenceableAnswer Next(const std::string& text, MessageButtons buttons) {
    if (script_.empty()) throw std::logic_error("No answer scripted for the message \"" + text + "\"");
    const SilenceableAnswer next = script_.front();
    script_.pop_front();
    if (!Offers(buttons, next.answer)) {
      throw std::logic_error("The scripted answer is not a button of the message \"" + text + "\"");
    }
    return next;
  }

  static bool Offers(MessageButtons buttons, Answer answer) {
    switch (buttons) {
      case MessageButtons::Ok: return answer == Answer::Ok;
      case MessageButtons::OkCancel: return answer == Answer::Ok || answer == Answer::Cancel;
      case MessageButtons::YesNo: return answer == Answer::Yes || answer == Answer::No;
      case MessageButtons::RetryCancel: return answer == Answer::Retry || answer == Answer::Cancel;
    }
    return false;
  }

  std::deque<SilenceableAnswer> script_;
  std::deque<std::function<void()>> whileUp_;
  std::deque<std::optional<std::string>> fileScript_;
  std::deque<std::optional<std::string>> passwordScript_;
  std::vector<std::string> passwordPrompts_;
  std::vector<Shown> shown_;
  std::vector<FileDialog> fileDialogs_;
};

}  // namespace vandrel
