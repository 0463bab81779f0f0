#include "core/common/Prompter.h"

#include <cctype>

namespace plumora {

std::string FormatPrompt(std::string_view text, std::string_view caption) {
  std::string line(caption);
  line += ": ";
  line += text;
  if (line.empty() || line.back() != '\n') line += '\n';
  return line;
}

void ShowError(Prompter& prompter, const Error& error) {
  if (!error.message.empty()) prompter.Message(error.message, error.caption);
}

void RecordingPrompter::Message(std::string_view text, std::string_view caption) {
  entries_.push_back({Kind::Message, std::string(text), std::string(caption)});
}

bool RecordingPrompter::AskOkCancel(std::string_view text, std::string_view caption) {
  entries_.push_back({Kind::OkCancel, std::string(text), std::string(caption)});
  return NextAnswer();
}

bool RecordingPrompter::AskYesNo(std::string_view text, std::string_view caption) {
  entries_.push_back({Kind::YesNo, std::string(text), std::string(caption)});
  return NextAnswer();
}

void RecordingPrompter::QueueAnswers(std::initializer_list<bool> answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

bool RecordingPrompter::NextAnswer() {
  if (answers_.empty()) return defaultAnswer;
  const bool answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::string RecordingPrompter::Transcript() const {
  std::string all;
  for (const Entry& e : entries_) all += FormatPrompt(e.text, e.caption);
  return all;
}

void ConsolePrompter::Write(std::string_view text, std::string_view caption) {
  const std::string line = FormatPrompt(text, caption);
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);
}

void ConsolePrompter::Message(std::string_view text, std::string_view caption) {
  Write(text, caption);
}

bool ConsolePrompter::AskOkCancel(std::string_view text, std::string_view caption) {
  return Ask(text, caption, "[o]k/[c]ancel");
}

bool ConsolePrompter::AskYesNo(std::string_view text, std::string_view caption) {
  return Ask(text, caption, "[y]es/[n]o");
}

bool ConsolePrompter::Ask(std::string_view text, std::string_view caption,
                          std::string_view choices) {
  Write(text, caption);
  switch (policy_) {
    case QuestionPolicy::AnswerYes:
      return true;
    case QuestionPolicy::AnswerNo:
      return false;
    case QuestionPolicy::AskOnTerminal:
      break;
  }
  // Ask until the first letter of the answer says which; end of input declines.
  for (;;) {
    std::fprintf(out_, "%.*s ", static_cast<int>(choices.size()), choices.data());
    std::fflush(out_);
    char buffer[64];
    if (!std::fgets(buffer, sizeof buffer, in_)) return false;
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(buffer[0])));
    if (c == 'o' || c == 'y') return true;
    if (c == 'c' || c == 'n') return false;
  }
}

}  // namespace plumora
