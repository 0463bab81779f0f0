#include "gui/app/StudyCommands.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "core/app/PlumoraDoc.h"
#include "core/common/Messages.h"
#include "core/mission/RecordChecks.h"
#include "gui/app/DocumentWindows.h"
#include "gui/app/ProgressDialog.h"
#include "gui/editing/DispersionsDialog.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/kit/NumberField.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/study/DocumentStudy.h"
#include "gui/logic/study/StudySidecar.h"
#include "gui/results/CChildFrame.h"

namespace plumora::gui {

namespace {

constexpr std::string_view kMsgNothingScattered =
    "Nothing is scattered in this study: add the inputs to scatter in Simulation > "
    "Dispersions... first.";
constexpr std::string_view kCaptionFailedRuns = "Failed runs";
// How often the dialog looks at the study, ms.
constexpr int kStudyRefreshMs = 100;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

class StudyCommands {
 public:
  StudyCommands(CommandContext& context, DocumentWindows& windows,
                std::function<void(const QString&)> status)
      : context_(context), windows_(windows), status_(std::move(status)) {}

  void SetUp() {
    CChildFrame* child = windows_.ActiveChild();
    if (!child || context_.running()) return;
    CPlumoraDoc& doc = child->doc();
    DocumentStudy& study = StudyOf(doc);
    DispersionsDialog dialog(study.setup, doc.mission, context_.prompter(),
                             context_.dialogParent());
    if (dialog.exec() != QDialog::Accepted) return;
    const DocumentState& state = child->documentState();
    const bool changed = DispersionStudyJson(dialog.study()) != DispersionStudyJson(study.setup);
    const Result<> kept =
        AcceptStudySetup(study, dialog.study(), state.HasPath() ? state.path() : std::filesystem::path());
    if (!kept) ShowError(context_.prompter(), kept.error());
    // A setup in no file yet (the mission has none, or it could not be written) is saved with
    // the mission, so closing it asks first.
    if (changed && StudyAwaitsSave(study)) context_.MarkModified(doc);
    if (dialog.runRequested()) Fly(doc);
  }

  void Export() {
    CChildFrame* child = windows_.ActiveChild();
    const FlownStudy* flown = child ? FlownStudyOf(child->doc()) : nullptr;
    if (!flown || context_.running()) return;
    const DocumentState& state = child->documentState();
    const std::filesystem::path suggested = state.OutputName("-study.csv");
    const QString name = QFileDialog::getSaveFileName(
        context_.dialogParent(), "Export study", Text(suggested.string()),
        "CSV files (*.csv);;All Files (*)");
    if (name.isEmpty()) return;
    const std::filesystem::path csv(name.toStdString());
    std::vector<std::filesystem::path> inputs;
    if (state.HasPath()) inputs = {state.path(), DispersionStudyPath(state.path())};
    if (const Result<> written = ExportStudy(*flown, csv, inputs); !written) {
      ShowError(context_.prompter(), written.error());
      return;
    }
    status_(Text("Study written to " + csv.string() + " and " +
                 StudySummaryPath(csv).string()));
  }

 private:
  void Fly(CPlumoraDoc& doc) {
    Prompter& prompter = context_.prompter();
    const DispersionStudy& setup = StudyOf(doc).setup;
    if (setup.variations.empty()) {
      prompter.Message(kMsgNothingScattered, kCaptionWarning);
      return;
    }
    // As on the command line: a mission with errors flies no run.
    const MissionFindings findings = CheckMission(doc.mission);
    if (findings.HasErrors()) {
      prompter.Message(findings.ErrorText() + findings.WarningText(), kCaptionError);
      return;
    }
    StudyFlight flight(doc.mission, setup, doc.baseFolder);
    StudyProgressDialog progress(flight, context_.dialogParent());
    progress.exec();
    Result<std::shared_ptr<const FlownStudy>> flown = flight.Finish();
    if (!flown) {
      ShowError(prompter, flown.error());
      return;
    }
    StudyOf(doc).flown = std::move(flown).value();
    doc.NotifyStudyChanged();
    const FlownStudy& result = *StudyOf(doc).flown;
    status_(Text(StudyEndText(result)));
    context_.commands().Refresh();
    const std::string failures = FailedRunsText(result.outcome.Failures());
    if (!failures.empty()) prompter.Message(failures, kCaptionFailedRuns);
  }

  CommandContext& context_;
  DocumentWindows& windows_;
  std::function<void(const QString&)> status_;
};

}  // namespace

StudyProgressDialog::StudyProgressDialog(StudyFlight& flight, QWidget* parent)
    : QDialog(parent), flight_(flight) {
  setWindowTitle("Dispersion study");
  const ProgressWidgets widgets = BuildProgressLayout(*this, {"Runs done", "Failed", "Time left"});
  bar_ = widgets.bar;
  done_ = widgets.fields[0];
  failed_ = widgets.fields[1];
  left_ = widgets.fields[2];
  stop_ = widgets.stop;
  SetControlId(*done_, kCtlStudyDone);
  SetControlId(*failed_, kCtlStudyFailed);
  SetControlId(*left_, kCtlStudyLeft);
  SetControlId(*stop_, kCtlStudyStop);
  timer_ = new QTimer(this);
  // The dialog closes itself once the study is over, so it looks only from its own loop.
  connect(timer_, &QTimer::timeout, this, [this] {
    Refresh();
    if (flight_.WaitFor(std::chrono::milliseconds(0))) {
      timer_->stop();
      QDialog::accept();
    }
  });
  timer_->start(kStudyRefreshMs);
  Refresh();
}

void StudyProgressDialog::Refresh() {
  const StudyProgressTexts texts = ProgressTexts(flight_.Progress());
  done_->setText(Text(texts.done));
  failed_->setText(Text(texts.failed));
  left_->setText(Text(texts.left));
  bar_->setValue(texts.percent);
}

void StudyProgressDialog::reject() {
  flight_.Stop();
  stop_->setEnabled(false);
  stop_->setText("Stopping...");
}

void BindStudyCommands(CommandContext& context, DocumentWindows& windows,
                       std::function<void(const QString&)> status) {
  auto commands = std::make_shared<StudyCommands>(context, windows, std::move(status));
  context.commands().Bind(kCmdDispersions, [commands] { commands->SetUp(); });
  context.commands().Bind(kCmdExportStudy, [commands] { commands->Export(); });
}

}  // namespace plumora::gui
