// How the desktop smoke tests work a dialog: its controls found by their ids, text put in its
// fields, and a modal dialog answered from a timer while the code under test waits in it.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <utility>

namespace plumora::gui::smoke {

// The control of `dialog` with the id `id` (named ctl_ID), or null with a failure.
template <typename Widget = QWidget>
Widget* Control(QWidget& dialog, int id) {
  auto* widget = dialog.findChild<Widget*>(QStringLiteral("ctl_%1").arg(id));
  EXPECT_NE(widget, nullptr) << "control " << id;
  return widget;
}

// Sets the text of the field `id`.
inline void Type(QWidget& dialog, int id, const QString& text) {
  Control<QLineEdit>(dialog, id)->setText(text);
}

// Clicks the button once the dialog it is in runs its loop.
inline void Later(QAbstractButton* button) {
  QTimer::singleShot(0, button, &QAbstractButton::click);
}

// Answers the first modal dialog that opens while it lives, other than the one already open when
// it was made: a dialog's answer may answer the dialog it opens in turn.
class DialogAnswer {
 public:
  explicit DialogAnswer(std::function<void(QDialog&)> answer)
      : answer_(std::move(answer)), before_(QApplication::activeModalWidget()) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || dialog == before_) return;
      timer_.stop();
      seen = true;
      answer_(*dialog);
    });
    timer_.start();
  }
  DialogAnswer(const DialogAnswer&) = delete;
  DialogAnswer& operator=(const DialogAnswer&) = delete;

  bool seen = false;

 private:
  std::function<void(QDialog&)> answer_;
  QPointer<QWidget> before_;
  QTimer timer_;
};

}  // namespace plumora::gui::smoke
