#include "gui/app/Snapshot.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/FileIO.h"
#include "core/common/Messages.h"
#include "core/dispersion/DispersionStudy.h"
#include "core/environment/DataFolders.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CPlumoraApp.h"
#include "gui/app/MissionPlanBar.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/results/AnimationControl.h"
#include "gui/logic/study/DocumentStudy.h"
#include "gui/logic/study/StudyFlight.h"
#include "gui/results/CChildFrame.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/PaneFactory.h"

namespace plumora::gui {

namespace {

// The console's prompts, noting whether an error was reported.
class ErrorNotingPrompter final : public Prompter {
 public:
  void Message(std::string_view text, std::string_view caption) override {
    // While the picture is drawn, a part that cannot be read (a broken 3D model) leaves the
    // picture without it: said as a warning, not an error that the exit status would deny.
    if (drawing && caption == kCaptionError) caption = kCaptionWarning;
    failed |= caption == kCaptionError;
    console_.Message(text, caption);
  }
  bool AskOkCancel(std::string_view text, std::string_view caption) override {
    return console_.AskOkCancel(text, caption);
  }
  bool AskYesNo(std::string_view text, std::string_view caption) override {
    return console_.AskYesNo(text, caption);
  }
  bool failed = false;
  bool drawing = false;  // the flight is done, the picture being drawn

 private:
  ConsolePrompter console_{stderr, ConsolePrompter::QuestionPolicy::AnswerYes};
};

void UseChartSettings(ResultsViewState& state, const SnapshotOptions& options) {
  state.chartX = options.chartX;
  state.chartY = options.chartY;
  state.chartBody = options.chartBody;
  state.chartSwitches = options.chartSwitches;
  state.chartMoreY = options.chartMoreY;
  state.derivedColumns = options.derivedColumns;
  state.studyOutput = options.histogramOutput;
  state.trackEllipses = options.landingEllipses;
}

int Fail(const std::string& text) {
  std::fprintf(stderr, "error: %s\n", text.c_str());
  return kSnapshotFailed;
}

// A pane hosted by nothing but the picture: the document, the settings the command line gave and
// the animation's sample, no scroll bars and no red frame.
class PictureHost final : public PaneHost {
 public:
  PictureHost(const CPlumoraDoc& doc, const SnapshotOptions& options, const StartupBitmaps& bitmaps)
      : doc_(doc), size_(options.width, options.height), bitmaps_(bitmaps) {
    state_.ToggleDisplayMode(options.mode);
    UseChartSettings(state_, options);
    index_ = options.timeGiven ? NearestSample(doc.results, options.time) : 0;
  }
  const CPlumoraDoc& document() const override { return doc_; }
  ResultsViewState& viewState() override { return state_; }
  int animationIndex() const override { return index_; }
  bool animationPlaying() const override { return false; }
  QSize clientSize() const override { return size_; }
  QPoint scrollPosition() const override { return scroll_; }
  void SetScrollSizes(const ScrollSizes&) override {}
  void SetScrollPosition(const QPoint& position) override { scroll_ = position; }
  void Repaint() override {}
  void RepaintArea(const QRect&) override {}
  bool wearsActiveFrame() const override { return false; }
  QWidget* dialogParent() override { return nullptr; }
  const StartupBitmaps& bitmaps() const override { return bitmaps_; }

 private:
  const CPlumoraDoc& doc_;
  QSize size_;
  const StartupBitmaps& bitmaps_;
  ResultsViewState state_;
  int index_ = 0;
  QPoint scroll_;
};

// "-" names standard output, never a file of that name.
constexpr std::string_view kStandardOutputName = "-";

int WritePicture(const QImage& picture, const std::string& output) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (picture.isNull() || !picture.save(&buffer, "PNG")) return Fail("no picture was made");
  const std::string_view bytes(png.constData(), static_cast<std::size_t>(png.size()));
  const Result<> written = output == kStandardOutputName ? WriteDescriptor(STDOUT_FILENO, bytes)
                                                         : WriteOutputFile(output, bytes);
  if (!written) return Fail("cannot write " + output + " (" + written.message() + ")");
  return kSnapshotOk;
}

// Refuses, before anything is drawn, an output that would go over a file the picture is made
// from or that cannot be written; "" when it may be written.
std::string OutputRefusal(const SnapshotOptions& options, const std::filesystem::path& base) {
  if (options.output == kStandardOutputName) {
    struct stat out {};
    if (::fstat(STDOUT_FILENO, &out) != 0) return "standard output is closed";
    if (::isatty(STDOUT_FILENO)) return "a picture is not written to a terminal";
    return {};
  }
  std::vector<std::filesystem::path> inputs = ListRunTables(base);
  if (!options.mission.empty()) inputs.push_back(options.mission);
  if (!options.study.empty()) inputs.push_back(options.study);
  if (options.study.empty() && !options.mission.empty()) {
    inputs.push_back(DispersionStudyPath(options.mission));
  }
  const Result<> checked = CheckOutputTarget(options.output, inputs);
  if (checked) return {};
  std::string message = checked.message();
  if (!message.empty() && message.back() == '\n') message.pop_back();
  return message;
}

// Flies the dispersion study of the command line (or the mission's own) and keeps it with the
// document, with its nominal flight, as the window keeps the study it flew last.
int FlyStudy(CPlumoraDoc& doc, const SnapshotOptions& options) {
  std::filesystem::path path = options.study;
  if (path.empty()) {
    if (options.mission.empty()) {
      std::fprintf(stderr, "error: a new mission has no dispersion study: give --study FILE\n");
      return kSnapshotUsage;
    }
    path = DispersionStudyPath(options.mission);
  }
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    std::fprintf(stderr,
                 "error: there is no dispersion study %s (give --study FILE, or set one up "
                 "with Simulation > Dispersions...)\n",
                 path.string().c_str());
    return kSnapshotUsage;
  }
  Result<DispersionStudy> study = LoadDispersionStudy(path);
  if (!study) return Fail(study.message());
  // As Simulation > Dispersions... flies it, to its end.
  Result<std::shared_ptr<const FlownStudy>> flown =
      StudyFlight(doc.mission, *study, doc.baseFolder).Finish();
  if (!flown) return Fail(flown.message());
  StudyOf(doc).flown = std::move(flown).value();
  return kSnapshotOk;
}

int PanePicture(CChildFrame& child, const SnapshotOptions& options, const StartupBitmaps& bitmaps,
                ErrorNotingPrompter& prompter) {
  CPlumoraDoc& doc = child.doc();
  if (NeedsStudy(options)) {
    if (const int status = FlyStudy(doc, options); status != kSnapshotOk) return status;
  }
  // The study's own modes show no flight of the mission.
  if (!ShowsStudy(options.mode)) RunMission(doc);
  if (prompter.failed) return kSnapshotFailed;  // the engine has said why
  prompter.drawing = true;
  PictureHost host(doc, options, bitmaps);
  const std::unique_ptr<ResultsPane> pane = MakePane(options.mode, host);
  pane->Layout();
  // The pane follows the animation to its sample, as on the screen (the table scrolls to it).
  pane->AnimationStep(host.animationIndex(), false);
  return WritePicture(pane->Snapshot(QSize(options.width, options.height)), options.output);
}

int DialogPicture(CMainFrame& frame, int commandId, const std::string& output) {
  // The direct print opens no dialog and would print the pane on paper: a picture of a dialog
  // is not worth that.
  if (commandId == kCmdFilePrintDirect) {
    return Fail("command " + std::to_string(commandId) + " prints without a dialog");
  }
  // The dialog a command opens runs its own event loop; the watcher finds it there, takes its
  // picture and cancels it.
  QImage picture;
  bool seen = false;
  QTimer watcher;
  const auto take = [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (seen || !modal) return;
    seen = true;
    watcher.stop();
    picture = modal->grab().toImage();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  };
  watcher.setInterval(0);
  QObject::connect(&watcher, &QTimer::timeout, take);
  watcher.start();
  const bool invoked = frame.Invoke(commandId);
  // A dialog opened without a loop of its own is found once the command has returned.
  QApplication::processEvents();
  take();
  watcher.stop();
  if (!invoked) return Fail("command " + std::to_string(commandId) + " is not available");
  if (!seen) return Fail("command " + std::to_string(commandId) + " opened no dialog");
  return WritePicture(picture, output);
}

}  // namespace

void PrepareHeadless() {
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
      std::fprintf(stderr, "error: %s\n", text.toLocal8Bit().constData());
    }
  });
}

int RunSnapshot(const SnapshotOptions& options) {
  std::error_code noFolder;
  const std::filesystem::path base = std::filesystem::current_path(noFolder);
  if (const std::string refusal = OutputRefusal(options, base); !refusal.empty()) {
    return Fail(refusal);
  }
  // A picture is no use of the program: the user's recent-file list stays as it is.
  QTemporaryDir settings;
  for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, settings.path());
  }
  ErrorNotingPrompter prompter;
  CPlumoraApp app;
  app.SetPrompter(&prompter);
  QStringList arguments;
  if (!options.mission.empty()) arguments << QString::fromStdString(options.mission);
  // A mission that cannot be read, or a missing start-up picture, has been reported.
  app.SetBaseFolder(options.base);
  if (!app.InitInstance(arguments, {false, false})) return kSnapshotFailed;
  CMainFrame& frame = *app.mainFrame();
  // The phase a command of the mission plan bar acts on is the first one.
  frame.missionPlanBar()->SelectPhase(0);
  if (options.command) {
    // The active pane shows the mode and chart the command line names, so that Options opens
    // that mode's dialog with those settings.
    if (CPlumoraView* view = frame.ActiveView()) {
      view->ToggleDisplayMode(options.mode);
      UseChartSettings(view->settings(), options);
    }
    return DialogPicture(frame, *options.command, options.output);
  }
  CChildFrame* child = frame.ActiveChild();
  if (!child) return Fail("no mission is open");
  return PanePicture(*child, options, app.bitmaps(), prompter);
}

}  // namespace plumora::gui
