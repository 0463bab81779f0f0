#include "gui/app/ProgressDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

ProgressWidgets BuildProgressLayout(QDialog& dialog, std::initializer_list<const char*> labels) {
  ProgressWidgets widgets{new QProgressBar, {}, new QPushButton("Stop")};
  auto* layout = new QVBoxLayout(&dialog);
  widgets.bar->setRange(0, 100);
  widgets.bar->setValue(0);
  layout->addWidget(widgets.bar);
  auto* form = new QFormLayout;
  for (const char* label : labels) {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    form->addRow(label, edit);
    widgets.fields.push_back(edit);
  }
  auto* row = new QHBoxLayout;
  row->addLayout(form, 1);
  row->addWidget(widgets.stop, 0, Qt::AlignTop);
  layout->addLayout(row);
  QObject::connect(widgets.stop, &QPushButton::clicked, &dialog, &QDialog::reject);
  dialog.setMinimumWidth(360);
  return widgets;
}

ProgressDialog::ProgressDialog(ProgressRelay& relay, QWidget* parent)
    : QDialog(parent), relay_(relay) {
  setWindowTitle("Processing...");
  const ProgressWidgets widgets = BuildProgressLayout(*this, {"Time elapsed", "Time left", "Phase"});
  bar_ = widgets.bar;
  elapsed_ = widgets.fields[0];
  left_ = widgets.fields[1];
  phaseEdit_ = widgets.fields[2];
  stop_ = widgets.stop;
  bar_->setProperty("controlId", kCtlProgressBar);
  elapsed_->setProperty("controlId", kCtlTimeElapsed);
  left_->setProperty("controlId", kCtlTimeLeft);
  phaseEdit_->setProperty("controlId", kCtlPhase);
  stop_->setProperty("controlId", kCtlStop);
}

void ProgressDialog::Refresh() {
  const ProgressSnapshot snapshot = relay_.Take();
  if (!snapshot.phaseRunning) return;  // between phases the last figures stay
  elapsed_->setText(QString::fromStdString(snapshot.elapsedText));
  left_->setText(QString::fromStdString(snapshot.leftText));
  phase_ = QString::fromStdString(snapshot.phaseText);
  phaseEdit_->setText(phase_.trimmed());
  bar_->setValue(snapshot.barPosition);
}

void ProgressDialog::reject() {
  relay_.RequestStop();
  QDialog::reject();
}

}  // namespace plumora::gui
