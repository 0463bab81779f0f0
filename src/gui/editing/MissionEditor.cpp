#include "gui/editing/MissionEditor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/app/PlumoraDoc.h"
#include "gui/editing/PhaseDialogs.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/kit/TabbedList.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/draw/DisplayText.h"
#include "gui/logic/editing/EditSteps.h"
#include "gui/logic/editing/RecordLists.h"

namespace plumora::gui {

// --- "General Description" -----------------------------------------------------------------

CMissionEditorPage1::CMissionEditorPage1(const MissionDescription& description) {
  setObjectName("dlg_178");
  name_ = new QLineEdit(ShownText(description.name));
  SetControlId(*name_, kCtlMissionNameField);
  type_ = new QComboBox;
  SetControlId(*type_, kCtlMissionType);
  for (const char* name : kMissionTypeNames) type_->addItem(name);
  type_->setCurrentIndex(description.type);
  comments_ = CommentsField(kCtlMissionComments, 8);
  comments_->setPlainText(ShownText(description.comments));
  // The editor closes however it is closed: its fields never hold what it could not write back.
  KeepStorableText(*name_, "Mission Name");
  KeepStorableText(*comments_, "Mission Comments");

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel("Mission Name"), 0, 0);
  grid->addWidget(name_, 0, 1);
  grid->addWidget(new QLabel("Mission Type"), 1, 0);
  grid->addWidget(type_, 1, 1, Qt::AlignLeft);
  grid->addWidget(new QLabel("Mission Comments"), 2, 0, 1, 2);
  // The comments take the room the phase page needs: the page has no empty area below them.
  comments_->setMaximumHeight(QWIDGETSIZE_MAX);
  grid->addWidget(comments_, 3, 0, 1, 2);
  grid->setRowStretch(3, 1);
}

bool CMissionEditorPage1::Read(MissionDescription& description) {
  MissionDescription read = description;
  if (!ReadStoredText(*name_, name_->text(), "Mission Name", read.name) ||
      !ReadStoredText(*comments_, comments_->toPlainText(), "Mission Comments", read.comments)) {
    return false;
  }
  // A mission read from a file may hold a type the list does not have; it stays as it is until
  // the user chooses one.
  if (type_->currentIndex() >= 0) read.type = type_->currentIndex();
  description = read;
  return true;
}

// --- "Phases Description" ------------------------------------------------------------------

CMissionEditorPage2::CMissionEditorPage2(EditSession& session)
    : session_(session), editor_(session.doc, session.prompter) {
  setObjectName("dlg_179");
  list_ = new TabbedList(kPhaseListTabStops);
  SetControlId(*list_, kCtlRecordList);
  QPushButton* active = Button("Active", kCtlToggleActive);
  QWidget* headings = list_->MakeHeadings(
      {new QLabel("Number"), active, new QLabel("Phase Name"), new QLabel("Phase Type")});
  list_->setMinimumSize(list_->textLeft() + list_->askedTabStops().back() + 110, 150);

  auto* buttons = new QHBoxLayout;
  QPushButton* add = Button("Add", kCtlAdd);
  QPushButton* insert = Button("Insert", kCtlInsert);
  QPushButton* remove = Button("Delete", kCtlDelete);
  QPushButton* replace = Button("Replace", kCtlReplace);
  for (QPushButton* b : {add, insert, remove, replace}) buttons->addWidget(b);
  buttons->addStretch(1);

  auto* definition = new QGroupBox("Phase Definition");
  auto* grid = new QGridLayout(definition);
  name_ = new QLineEdit;
  SetControlId(*name_, kCtlPhaseName);
  type_ = new QComboBox;
  SetControlId(*type_, kCtlPhaseType);
  for (const char* name : kPhaseTypeNames) type_->addItem(name);
  type_->setCurrentIndex(0);
  comments_ = CommentsField(kCtlComments, 3);
  grid->addWidget(new QLabel("Phase Name"), 0, 0);
  grid->addWidget(name_, 0, 1);
  grid->addWidget(new QLabel("Phase Type"), 1, 0);
  grid->addWidget(type_, 1, 1, Qt::AlignLeft);
  grid->addWidget(new QLabel("Phase Comments"), 2, 0, Qt::AlignTop);
  grid->addWidget(comments_, 2, 1);
  KeepStorableText(*name_, "Phase Name");
  KeepStorableText(*comments_, "Phase Comments");

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(4);
  layout->addWidget(headings);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  layout->addSpacing(6);
  layout->addWidget(definition);

  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const int row = list_->row(item);
    if (row >= 0 && static_cast<std::size_t>(row) < session_.doc.mission.phases.size()) {
      OpenPhaseDialog(session_, *session_.doc.mission.phases[static_cast<std::size_t>(row)], this);
    }
  });
  connect(comments_, &QPlainTextEdit::textChanged, this, [this] { CommentsTyped(); });
  connect(active, &QPushButton::clicked, this, [this] {
    if (editor_.ToggleActive(list_->selection())) Changed();
  });
  connect(add, &QPushButton::clicked, this, [this] {
    PhaseDefinition d;
    if (!ReadDefinition(d) || !editor_.Add(d)) return;
    list_->addItem(ShownText(PhaseEditorLines(session_.doc).back()));
    session_.changed(MissionEditorStep());
    session_.doc.NotifyMissionPlanChanged();
  });
  connect(insert, &QPushButton::clicked, this, [this] {
    PhaseDefinition d;
    if (ReadDefinition(d) && editor_.Insert(list_->selection(), d)) Changed();
  });
  connect(replace, &QPushButton::clicked, this, [this] {
    PhaseDefinition d;
    if (ReadDefinition(d) && editor_.Replace(list_->selection(), d)) Changed();
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (editor_.Delete(list_->selection())) Changed();
  });
  Refill();
}

void CMissionEditorPage2::Refill() {
  list_->SetLines(PhaseEditorLines(session_.doc));
}

void CMissionEditorPage2::Changed() {
  Refill();
  session_.changed(MissionEditorStep());
  session_.doc.NotifyMissionPlanChanged();
}

void CMissionEditorPage2::ShowSelected() {
  const int row = list_->selection();
  if (row < 0 || static_cast<std::size_t>(row) >= session_.doc.mission.phases.size()) return;
  const CMissionPhase& phase = *session_.doc.mission.phases[static_cast<std::size_t>(row)];
  name_->setText(ShownText(phase.name));
  comments_->setPlainText(ShownText(phase.comments));
  type_->setCurrentIndex(phase.type() >= 0 && phase.type() < type_->count() ? phase.type() : -1);
}

bool CMissionEditorPage2::ReadDefinition(PhaseDefinition& definition) {
  definition.type = type_->currentIndex();
  return ReadStoredText(*name_, name_->text(), "Phase Name", definition.name) &&
         ReadStoredText(*comments_, comments_->toPlainText(), "Phase Comments",
                        definition.comments);
}

void CMissionEditorPage2::CommentsTyped() {
  // Typed comments go to the selected phase as they are typed; a character a mission cannot
  // keep is left out first, and the text comes back here without it.
  char32_t bad = 0;
  const std::optional<std::string> text = StoredText(comments_->toPlainText().toStdString(), bad);
  const int phase = list_->selection();
  if (text && editor_.SetComments(phase, *text)) session_.changed(PhaseCommentsStep(phase));
}

// --- The sheet -------------------------------------------------------------------------------

CMissionEditor::CMissionEditor(EditSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setWindowTitle("Mission Editor");
  description_ = new CMissionEditorPage1(MissionDescription::Of(session.doc));
  auto* sheet = new QTabWidget;
  sheet->addTab(description_, "General Description");
  sheet->addTab(new CMissionEditorPage2(session), "Phases Description");
  sheet->setCurrentIndex(0);

  // Phase edits are made already: the sheet has nothing to cancel, only "Close".
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sheet);
  layout->addLayout(CloseRow(*this, kCtlOk));
}

void CMissionEditor::done(int result) {
  // Closing always closes (Close, Esc, the window's own button): the fields keep to what a
  // mission can store as they are typed, so the description is written back whole.
  MissionDescription description = MissionDescription::Of(session_.doc);
  if (description_->Read(description) && description.WriteTo(session_.doc)) {
    session_.changed(MissionEditorStep());
    session_.doc.NotifyMissionPlanChanged();
  }
  QDialog::done(result);
}

}  // namespace plumora::gui
