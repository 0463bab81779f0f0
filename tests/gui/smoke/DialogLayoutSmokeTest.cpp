// The editing dialogs as a reader sees them: the number fields of a page stand in one column
// (across the pages of a sheet too), every label shows its whole text, a title has room in the
// title bar, and a long record name is read whole in a manager's list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTabWidget>
#include <set>

#include "core/app/PlumoraDoc.h"
#include "core/common/Prompter.h"
#include "gui/kit/EditingKit.h"
#include "gui/editing/InitialStateDialog.h"
#include "gui/kit/NumberField.h"
#include "gui/editing/PhaseDialogs.h"
#include "gui/editing/RecordDataDialogs.h"
#include "gui/editing/RecordManagers.h"
#include "gui/editing/SolverDialog.h"
#include "gui/kit/TabbedList.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/editing/FormColumns.h"

namespace plumora::gui {
namespace {

void Settle(QWidget& dialog) {
  dialog.show();
  for (int k = 0; k < 3; ++k) QApplication::processEvents();
}

// Where the number fields of `page` start, in the page.
std::set<int> FieldLefts(QWidget& page) {
  std::set<int> lefts;
  for (NumberField* field : page.findChildren<NumberField*>()) {
    lefts.insert(field->mapTo(&page, QPoint(0, 0)).x());
  }
  return lefts;
}

void ExpectLabelsWhole(QWidget& page) {
  for (QLabel* label : page.findChildren<QLabel*>()) {
    if (label->isVisible() && !label->text().isEmpty()) {
      EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
  }
}

// The fields of every page of the dialog's sheet start at one x.
void ExpectOneColumnAcrossTheSheet(QDialog& dialog) {
  Settle(dialog);
  auto* sheet = dialog.findChild<QTabWidget*>();
  ASSERT_NE(sheet, nullptr);
  std::set<int> lefts;
  for (int k = 0; k < sheet->count(); ++k) {
    sheet->setCurrentIndex(k);
    Settle(dialog);
    const std::set<int> page = FieldLefts(*sheet->widget(k));
    EXPECT_EQ(page.size(), 1u) << "page " << k;
    lefts.insert(page.begin(), page.end());
    ExpectLabelsWhole(*sheet->widget(k));
  }
  EXPECT_EQ(lefts.size(), 1u) << dialog.windowTitle().toStdString();
}

TEST(DialogLayoutTest, TheSheetsFieldsStandInOneColumnOnEveryPage) {
  CPayload payload;
  CPayloadDataDlg payloadDialog(payload, nullptr);
  ExpectOneColumnAcrossTheSheet(payloadDialog);
  InitialStateDialog stateDialog(InitialState(), 0, nullptr);
  ExpectOneColumnAcrossTheSheet(stateDialog);
}

TEST(DialogLayoutTest, TheOtherDialogsFieldsStandInOneColumnAndTheLinkIsNotCramped) {
  CParachute parachute;
  CParachuteDataDlg parachuteDialog(parachute, nullptr);
  ParachuteStateDialog canopyDialog(InitialState(), nullptr);
  RecordingPrompter prompter;
  SolverDialog solverDialog(SolverSettings(), prompter, nullptr);
  for (QDialog* dialog :
       std::initializer_list<QDialog*>{&parachuteDialog, &canopyDialog, &solverDialog}) {
    Settle(*dialog);
    EXPECT_EQ(FieldLefts(*dialog).size(), 1u) << dialog->windowTitle().toStdString();
    ExpectLabelsWhole(*dialog);
  }
  // The link's three fields stand one under another, each with its unit clear of the next.
  const auto top = [&](int id) {
    return parachuteDialog.findChild<QWidget*>(QStringLiteral("ctl_%1").arg(id))->y();
  };
  EXPECT_LT(top(kCtlLinkX), top(kCtlLinkY));
  EXPECT_LT(top(kCtlLinkY), top(kCtlLinkZ));
}

TEST(DialogLayoutTest, AStopConditionDialogLeavesItsTitleRoom) {
  for (const char* title : {"Ballistic re-entry stop condition", "Final Descent stop condition"}) {
    CStopConditionDlg dialog(title, StopCondition(), nullptr);
    Settle(dialog);
    QFont bold = dialog.font();
    bold.setBold(true);
    EXPECT_GE(dialog.width(), TitleFitWidth(QFontMetrics(bold).horizontalAdvance(title))) << title;
  }
}

TEST(DialogLayoutTest, AManagersListShowsALongNameWholeAndItsTypeAfterIt) {
  CPlumoraDoc doc;
  RecordingPrompter prompter;
  const std::string name = "Second stage capsule with a long name";
  doc.mission.CreatePayload().name = name;
  doc.mission.CreatePayload().name = "Short";
  EditSession session{doc, prompter, [](const EditStep&) {}};
  CRecordManagerDlg dialog(session, RecordKind::kPayload, nullptr);
  Settle(dialog);
  auto* list = dialog.findChild<TabbedList*>(QStringLiteral("ctl_%1").arg(kCtlRecordList));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 2);
  EXPECT_NE(list->item(0)->text().toStdString().find(name), std::string::npos);
  const int nameWidth = list->fontMetrics().horizontalAdvance(QString::fromStdString(name));
  EXPECT_GT(list->tabStops()[1] - list->tabStops()[0], nameWidth);
  EXPECT_GT(list->tabStops()[1], list->askedTabStops()[1]);
  // The short name's column kept the asked-for stop before it.
  EXPECT_EQ(list->tabStops()[0], list->askedTabStops()[0]);
}

}  // namespace
}  // namespace plumora::gui
