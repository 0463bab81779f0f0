#include "gui/kit/QtPrompter.h"

#include <QMessageBox>
#include <QThread>

#include "gui/logic/draw/DisplayText.h"
#include "gui/logic/editing/RecordLists.h"

namespace plumora::gui {

QString ToQString(std::string_view bytes) {
  const std::string utf8 = DisplayText(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

namespace {
QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, std::string_view text,
                                std::string_view caption, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, ToQString(caption), ToQString(text), buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}
}  // namespace

void QtPrompter::Message(std::string_view text, std::string_view caption) {
  Ask(parent_, QMessageBox::Warning, text, caption, QMessageBox::Ok);
}

bool QtPrompter::AskOkCancel(std::string_view text, std::string_view caption) {
  return Ask(parent_, QMessageBox::Question, text, caption,
             QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtPrompter::AskYesNo(std::string_view text, std::string_view caption) {
  // A question that warns of lost data carries the exclamation mark.
  const QMessageBox::Icon icon =
      caption == kCaptionDataWillBeLost ? QMessageBox::Warning : QMessageBox::Question;
  return Ask(parent_, icon, text, caption, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

BlockingInvoker GuiInvoker(QObject* context) {
  return [context](const std::function<void()>& work) {
    if (QThread::currentThread() == context->thread()) {
      work();
    } else {
      QMetaObject::invokeMethod(
          context, [&work] { work(); }, Qt::BlockingQueuedConnection);
    }
  };
}

}  // namespace plumora::gui
