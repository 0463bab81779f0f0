#include "gui/app/ProgressDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

ProgressDialog::ProgressDialog(ProgressRelay& relay, QWidget* parent)
    : QDialog(parent), relay_(relay) {
  setWindowTitle("Processing...");
  auto* layout = new QVBoxLayout(this);
  bar_ = new QProgressBar;
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setProperty("controlId", kCtlProgressBar);
  layout->addWidget(bar_);
  auto* form = new QFormLayout;
  const auto field = [&](const char* label, int id) {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setProperty("controlId", id);
    form->addRow(label, edit);
    return edit;
  };
  elapsed_ = field("Time elapsed", kCtlTimeElapsed);
  left_ = field("Time left", kCtlTimeLeft);
  phaseEdit_ = field("Phase", kCtlPhase);
  auto* row = new QHBoxLayout;
  row->addLayout(form, 1);
  stop_ = new QPushButton("Stop");
  stop_->setProperty("controlId", kCtlStop);
  row->addWidget(stop_, 0, Qt::AlignTop);
  layout->addLayout(row);
  connect(stop_, &QPushButton::clicked, this, &ProgressDialog::reject);
  setMinimumWidth(360);
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
