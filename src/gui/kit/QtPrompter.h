// The engine's prompts as message boxes, and the means of calling the user-interface thread
// from a worker.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string_view>

#include "core/common/Prompter.h"
#include "gui/logic/app/RunRelay.h"

namespace plumora::gui {

// A text of the engine or of a mission for the screen.
QString ToQString(std::string_view bytes);

// Message boxes over parent, with the engine's exact texts and captions.
class QtPrompter final : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Message(std::string_view text, std::string_view caption) override;
  bool AskOkCancel(std::string_view text, std::string_view caption) override;
  bool AskYesNo(std::string_view text, std::string_view caption) override;

 private:
  QPointer<QWidget> parent_;
};

// Runs functions on context's thread (the user-interface thread) and waits for them.
BlockingInvoker GuiInvoker(QObject* context);

}  // namespace plumora::gui
