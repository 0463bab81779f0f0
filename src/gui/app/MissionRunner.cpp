#include "gui/app/MissionRunner.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QWidget>
#include <thread>

#include "core/app/PlumoraDoc.h"
#include "core/common/Messages.h"
#include "core/mission/RecordChecks.h"
#include "gui/app/ProgressDialog.h"
#include "gui/kit/QtPrompter.h"

namespace plumora::gui {

namespace {

// While a mission runs, the interface takes no input but the progress dialog's and that of the
// message boxes the run shows; everything still repaints. Closing windows is refused too.
class RunInputFilter final : public QObject {
 public:
  explicit RunInputFilter(QWidget* dialog) : dialog_(dialog) {}

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::ContextMenu:
      case QEvent::Close:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
        if (Allowed(target)) return false;
        event->ignore();  // a refused close must not count as done
        return true;
      default:
        return false;
    }
  }

 private:
  bool Allowed(QObject* target) const {
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) {
      // Events for windows (not widgets) reach their widgets afterwards and are decided there.
      return true;
    }
    QWidget* window = widget->window();
    return window == dialog_ || window->isModal();
  }
  QWidget* dialog_;
};

}  // namespace

RunOutcome MissionRunner::Run(CPlumoraDoc& doc, Prompter& prompter,
                              const std::function<void()>& started) {
  running_ = true;
  started();
  // The relay wakes the dialog from the worker; the dialog exists before the worker starts.
  ProgressDialog* dialogPtr = nullptr;
  ProgressRelay relay([&dialogPtr] {
    ProgressDialog* target = dialogPtr;
    QMetaObject::invokeMethod(
        target, [target] { target->Refresh(); }, Qt::QueuedConnection);
  });
  ProgressDialog dialog(relay, &window_);
  dialogPtr = &dialog;
  MarshallingPrompter marshalled(prompter, GuiInvoker(&window_));
  doc.SetPrompter(&marshalled);
  doc.SetProgressSink(&relay);
  RunInputFilter filter(&dialog);
  qApp->installEventFilter(&filter);

  QEventLoop loop;
  RunOutcome outcome;
  std::thread worker([&doc, &loop, &outcome] {
    outcome = RunMission(doc);
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  dialog.show();
  loop.exec();
  worker.join();

  qApp->removeEventFilter(&filter);
  doc.SetProgressSink(nullptr);
  doc.SetPrompter(&prompter);
  dialog.hide();
  running_ = false;
  return outcome;
}

void ShowMissionCheck(const Mission& mission, Prompter& prompter) {
  const MissionFindings findings = CheckMission(mission);
  if (findings.HasErrors()) {
    prompter.Message(findings.ErrorText() + findings.WarningText(), kCaptionError);
  } else if (!findings.warnings.empty()) {
    prompter.Message(findings.WarningText(), kCaptionWarning);
  } else {
    prompter.Message(kMsgMissionChecked, kCaptionCheckMission);
  }
}

}  // namespace plumora::gui
