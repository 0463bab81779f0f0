#include "gui/editing/RecordManagers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/PlumoraDoc.h"
#include "gui/editing/RecordDataDialogs.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/kit/TabbedList.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/editing/EditSteps.h"
#include "gui/logic/editing/RecordLists.h"

namespace plumora::gui {

namespace {
constexpr int kCommentLines = 3;
}

CRecordManagerDlg::CRecordManagerDlg(EditSession& session, RecordKind kind, QWidget* parent)
    : QDialog(parent),
      session_(session),
      kind_(kind),
      manager_(session.doc, kind, session.prompter) {
  const bool payloads = kind == RecordKind::kPayload;
  setWindowTitle(payloads ? "Payload manager" : "Parachute manager");

  list_ = new TabbedList(kManagerTabStops);
  SetControlId(*list_, kCtlRecordList);
  QWidget* headings = list_->MakeHeadings({new QLabel("Number"),
                                           new QLabel(payloads ? "Payload name" : "Parachute name"),
                                           new QLabel("Type")});
  const int listWidth = list_->textLeft() + list_->askedTabStops().back() + 120;
  list_->setMinimumSize(listWidth, 160);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Edit(); });

  auto* buttons = new QHBoxLayout;
  const auto button = [&](const QString& text, int id) {
    QPushButton* b = Button(text, id);
    buttons->addWidget(b);
    return b;
  };
  // Records are only added at the end of the list and never replaced in place.
  button("Replace", kCtlReplace)->setEnabled(false);
  button("Insert", kCtlInsert)->setEnabled(false);
  connect(button("Add", kCtlAdd), &QPushButton::clicked, this, [this] { Add(); });
  connect(button("Delete", kCtlDelete), &QPushButton::clicked, this, [this] { Delete(); });
  connect(button("Edit", kCtlEdit), &QPushButton::clicked, this, [this] { Edit(); });

  auto* fields = new QGridLayout;
  name_ = new QLineEdit;
  SetControlId(*name_, payloads ? kCtlPayloadName : kCtlParachuteName);
  comments_ = CommentsField(kCtlComments, kCommentLines);
  fields->addWidget(new QLabel("Name"), 0, 0);
  fields->addWidget(name_, 0, 1);
  fields->addWidget(new QLabel("Comments"), 1, 0, Qt::AlignTop);
  fields->addWidget(comments_, 1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(headings);
  layout->setSpacing(4);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  layout->addSpacing(6);
  layout->addLayout(fields);
  layout->addSpacing(6);
  layout->addLayout(CloseRow(*this, kCtlManagerClose));
  Refill();
}

void CRecordManagerDlg::Refill() {
  list_->SetLines(manager_.Lines());
}

void CRecordManagerDlg::Add() {
  std::string name, comments;
  if (!ReadStoredText(*name_, name_->text(), "Name", name) ||
      !ReadStoredText(*comments_, comments_->toPlainText(), "Comments", comments)) {
    return;
  }
  if (!manager_.Add(name, comments)) return;
  list_->addItem(ShownText(manager_.Lines().back()));
  session_.changed(ManagerStep(kind_));
}

void CRecordManagerDlg::Delete() {
  if (!manager_.Delete(list_->selection())) return;
  Refill();
  session_.changed(ManagerStep(kind_));
}

void CRecordManagerDlg::Edit() {
  const int line = list_->selection();
  if (line < 0) return;
  CPlumoraDoc& doc = session_.doc;
  const bool changed =
      kind_ == RecordKind::kPayload
          ? EditPayload(*doc.mission.payloads[static_cast<std::size_t>(line)], this)
          : EditParachute(*doc.mission.parachutes[static_cast<std::size_t>(line)], this);
  if (!changed) return;
  Refill();
  list_->setCurrentRow(line);
  session_.changed(RecordDataStep(kind_));
}

void OpenRecordManager(EditSession& session, RecordKind kind, QWidget* parent) {
  CRecordManagerDlg dialog(session, kind, parent);
  dialog.exec();
}

}  // namespace plumora::gui
