// How the engine talks to the user: message boxes and OK/Cancel or Yes/No questions, each with
// the exact text and caption. The desktop program shows dialogs, the command line writes to
// stderr, and the tests record what would have been shown.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Result.h"

namespace plumora {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A modal message with an OK button.
  virtual void Message(std::string_view text, std::string_view caption) = 0;
  // A question with OK and Cancel; true when the user chose OK.
  virtual bool AskOkCancel(std::string_view text, std::string_view caption) = 0;
  // A question with Yes and No; true when the user chose Yes.
  virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;
};

// Shows nothing and accepts every question. Used where no front end is attached.
class SilentPrompter final : public Prompter {
 public:
  void Message(std::string_view, std::string_view) override {}
  bool AskOkCancel(std::string_view, std::string_view) override { return true; }
  bool AskYesNo(std::string_view, std::string_view) override { return true; }
};

// Passes every prompt on to target, calling beforeShowing first (to take a splash away, or to
// note which thread a prompt came on).
class ForwardingPrompter : public Prompter {
 public:
  ForwardingPrompter(Prompter& target, std::function<void()> beforeShowing)
      : target_(target), beforeShowing_(std::move(beforeShowing)) {}
  void Message(std::string_view text, std::string_view caption) override {
    beforeShowing_();
    target_.Message(text, caption);
  }
  bool AskOkCancel(std::string_view text, std::string_view caption) override {
    beforeShowing_();
    return target_.AskOkCancel(text, caption);
  }
  bool AskYesNo(std::string_view text, std::string_view caption) override {
    beforeShowing_();
    return target_.AskYesNo(text, caption);
  }

 private:
  Prompter& target_;
  std::function<void()> beforeShowing_;
};

// Remembers every prompt in order and answers questions from a script (then a default).
class RecordingPrompter final : public Prompter {
 public:
  enum class Kind { Message, OkCancel, YesNo };
  struct Entry {
    Kind kind;
    std::string text;
    std::string caption;
  };

  void Message(std::string_view text, std::string_view caption) override;
  bool AskOkCancel(std::string_view text, std::string_view caption) override;
  bool AskYesNo(std::string_view text, std::string_view caption) override;

  // Answers given to the next questions, in order; once used up, defaultAnswer applies.
  void QueueAnswers(std::initializer_list<bool> answers);
  bool defaultAnswer = true;

  const std::vector<Entry>& entries() const { return entries_; }
  // All entries as "CAPTION: TEXT" lines, handy in test failure output.
  std::string Transcript() const;
  void Clear() { entries_.clear(); }

 private:
  bool NextAnswer();
  std::vector<Entry> entries_;
  std::deque<bool> answers_;
};

// Writes "CAPTION: TEXT" to a stream (stderr by default). Questions are answered by a fixed
// policy, or asked on the terminal when the policy says so.
class ConsolePrompter final : public Prompter {
 public:
  enum class QuestionPolicy { AnswerYes, AnswerNo, AskOnTerminal };

  explicit ConsolePrompter(std::FILE* out = stderr,
                           QuestionPolicy policy = QuestionPolicy::AnswerYes, std::FILE* in = stdin)
      : out_(out), in_(in), policy_(policy) {}

  void Message(std::string_view text, std::string_view caption) override;
  bool AskOkCancel(std::string_view text, std::string_view caption) override;
  bool AskYesNo(std::string_view text, std::string_view caption) override;

  void SetPolicy(QuestionPolicy policy) { policy_ = policy; }

 private:
  void Write(std::string_view text, std::string_view caption);
  bool Ask(std::string_view text, std::string_view caption, std::string_view choices);

  std::FILE* out_;
  std::FILE* in_;
  QuestionPolicy policy_;
};

// Shows an error as a message box with its caption; an error without a message (a user's stop)
// shows nothing.
void ShowError(Prompter& prompter, const Error& error);

// "CAPTION: TEXT" with one trailing line feed of the text not doubled.
std::string FormatPrompt(std::string_view text, std::string_view caption);

}  // namespace plumora
