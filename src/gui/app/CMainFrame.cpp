#include "gui/app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>
#include <thread>

#include "core/app/MissionFiles.h"
#include "core/app/ResultsCsv.h"
#include "core/app/RunMission.h"
#include "core/common/Messages.h"
#include "core/flight/ProgressMeter.h"
#include "core/mission/RecordChecks.h"
#include "gui/app/AboutBox.h"
#include "gui/app/AnimationBar.h"
#include "gui/app/EditingCommands.h"
#include "gui/app/MissionPlanBar.h"
#include "gui/app/ProgressDialog.h"
#include "gui/editing/SetupCommands.h"
#include "gui/kit/Artwork.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/draw/DisplayText.h"
#include "gui/logic/editing/MissionPlan.h"
#include "gui/logic/results/ResultsViewState.h"
#include "gui/results/CChildFrame.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/TrackPane.h"
#include "gui/viewers/ViewerCommands.h"

namespace plumora::gui {

namespace {

constexpr int kStatusPaneWidths[] = {100, 100, 150};
const char* const kStatusPaneTexts[] = {"X=0.0", "Y=0.0", " "};
const char* const kRecentGroup = "Recent File List";
constexpr std::string_view kMsgNoPrinter = "There is no printer to print on.";

QString MissionFilters() {
  return ToQString(kMissionFileFilter) + ";;Plumora JSON mission (*.json);;All Files (*)";
}

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

// Whether a print would land anywhere: a printer of the system, or a file named for it.
bool HasPrintTarget(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
  return printer.isValid();
}

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

// The window's first OpenGL view makes Qt replace the window's native window with an OpenGL one,
// wherever that happens: a hidden OpenGL child made before the window is shown gives it that
// native window from the start, and panes can turn 3D from any event handler.
void PrepareForOpenGlViews(QWidget& window) {
  if (!QOpenGLContext::globalShareContext()) return;  // no OpenGL on this display: no 3D views
  auto* placeholder = new QOpenGLWidget(&window);
  placeholder->setObjectName("openGlPlaceholder");
  placeholder->hide();
}

}  // namespace

CMainFrame::CMainFrame(std::filesystem::path baseFolder, const StartupBitmaps& bitmaps)
    : baseFolder_(std::move(baseFolder)),
      bitmaps_(bitmaps),
      messageBoxes_(this),
      commands_(this, [this] { return CurrentCommandState(); }),
      animation_(SteadyMilliseconds),
      recentFiles_(kRecentFileCount) {
  setWindowTitle(kProgramTitle);
  setWindowIcon(QIcon(MissionPlanPicture()));
  mdi_ = new QMdiArea;
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
  PrepareForOpenGlViews(*this);

  QSettings settings;
  std::vector<std::string> entries;
  for (int k = 1; k <= kRecentFileCount; ++k) {
    entries.push_back(
        settings.value(QString("%1/File%2").arg(kRecentGroup).arg(k)).toString().toStdString());
  }
  recentFiles_.SetEntries(entries);

  CreateBars();
  BindCommands();
  commands_.BuildMenuBar(*menuBar());
  QMenu* window = commands_.Menu(CommandMenu::kWindow);
  windowList_ = window->addSeparator();
  connect(window, &QMenu::aboutToShow, this, [this, window] { ListWindows(*window); });
  connect(commands_.Menu(CommandMenu::kFile), &QMenu::aboutToShow, this,
          &CMainFrame::UpdateRecentFiles);
  CreateToolBar();
  CreateStatusBar();
  commands_.AttachButton(kCtlEditMission, planBar_->editMissionButton());
  commands_.AttachButton(kCtlEditPhase, planBar_->editPhaseButton());
  commands_.AttachButton(kCtlViewPhase, planBar_->viewPhaseButton());

  animation_.SetRefresh([this](int index, bool playing) {
    if (CChildFrame* child = ActiveChild()) child->RefreshPanes(index, playing);
    animationBar_->Show(animation_);
  });
  // Playing wakes up when the next sample is due, not in a busy loop.
  animationTimer_.setSingleShot(true);
  animationTimer_.setTimerType(Qt::PreciseTimer);
  connect(&animationTimer_, &QTimer::timeout, this, [this] {
    animation_.Idle();
    ScheduleAnimation();
  });
  RefreshMissionPlan(nullptr);
  ResetAnimation();
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
  animationTimer_.stop();
  // Nothing reaches this half-destroyed window any more: the bars and the area tell it about
  // their own destruction otherwise.
  for (QObject* sender :
       std::initializer_list<QObject*>{mdi_, planDock_, animationDock_, toolBar_}) {
    disconnect(sender, nullptr, this, nullptr);
  }
  // The document windows go first: their panes refer to them while being destroyed.
  delete mdi_;
}

// --- Creation --------------------------------------------------------------------------------

void CMainFrame::BindCommands() {
  BindFileCommands();
  BindViewCommands();
  commands_.Bind(kCmdRun, [this] { RunActiveMission(); });
  commands_.Bind(kCmdCheckMission, [this] { CheckActiveMission(); });
  // Panes change only between runs: a run's results are not to be read while they are written.
  for (const ModeCommand& c : kModeCommands) {
    const auto toggle = [this, mode = c.mode] {
      CPlumoraView* view = ActiveView();
      if (view && !running_) view->ToggleDisplayMode(mode);
    };
    commands_.Bind(c.showId, toggle);
    commands_.Bind(c.popupId, toggle);
  }
  for (int id : {kCmdShowOptions, kCmdPopupOptions}) {
    commands_.Bind(id, [this] {
      CPlumoraView* view = ActiveView();
      if (view && !running_) view->OptionsCommand();
    });
  }
  // The plan bar's "View phase" button is there to be pressed, and does nothing.
  commands_.Bind(kCtlViewPhase, [] {});
  commands_.Bind(kCmdWindowCascade, [this] { mdi_->cascadeSubWindows(); });
  commands_.Bind(kCmdWindowTile, [this] { mdi_->tileSubWindows(); });
  commands_.Bind(kCmdAppAbout, [this] { ShowAboutBox(this); });
  // The dialogs of the mission, the setup and the data viewers bind their commands here.
  BindEditingCommands(*this, *planBar_);
  BindSetupCommands(*this);
  BindViewerCommands(*this);
  BindTrackCommands(*this);
}

void CMainFrame::BindFileCommands() {
  commands_.Bind(kCmdFileNew, [this] { NewDocument(); });
  commands_.Bind(kCmdFileOpen, [this] { Open(); });
  commands_.Bind(kCmdFileClose, [this] {
    if (QMdiSubWindow* window = ActiveSubWindow()) window->close();
  });
  for (int id : {kCmdFileSave, kCmdFileSaveAs}) {
    commands_.Bind(id, [this, id] {
      if (CChildFrame* child = ActiveChild()) SaveDocument(*child, id == kCmdFileSaveAs);
    });
  }
  commands_.Bind(kCmdExportResults, [this] { ExportResultsAs(); });
  commands_.Bind(kCmdFilePrint, [this] { Print(PrintRoute::kAsk); });
  commands_.Bind(kCmdFilePrintDirect, [this] { Print(PrintRoute::kDirect); });
  commands_.Bind(kCmdFilePrintPreview, [this] { Print(PrintRoute::kPreview); });
  commands_.Bind(kCmdFilePrintSetup, [this] {
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
  });
  for (int k = 0; k < kRecentFileCount; ++k) {
    commands_.Bind(kCmdFileMru1 + k, [this, k] { OpenRecentFile(k); });
  }
  commands_.Bind(kCmdAppExit, [this] { close(); });
}

void CMainFrame::BindViewCommands() {
  commands_.Bind(kCmdViewToolbar, [this] { toolBar_->setVisible(!toolBar_->isVisible()); });
  commands_.Bind(kCmdViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
  commands_.Bind(kCmdMainControl, [this] { planDock_->setVisible(!planDock_->isVisible()); });
  commands_.Bind(kCmdAnimationControl,
                 [this] { animationDock_->setVisible(!animationDock_->isVisible()); });
}

void CMainFrame::CreateToolBar() {
  toolBar_ = addToolBar("Toolbar");
  toolBar_->setObjectName("toolbar");
  toolBar_->setIconSize(QSize(24, 24));
  commands_.BuildToolBar(*toolBar_);
  connect(toolBar_, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateStatusBar() {
  // Wide enough for the longest read-out of any chart variable, so the panes do not cut it.
  QLabel probe;
  int readoutWidth = 0;
  for (int k = 0; k < kChartVariableCount; ++k) {
    const QString text = QString::fromStdString(AxisReadout(k, -99999.99));
    readoutWidth = std::max(readoutWidth, probe.fontMetrics().horizontalAdvance(text));
  }
  for (int k = 0; k < 3; ++k) {
    auto* pane = new QLabel;
    pane->setMinimumWidth(k < 2 ? std::max(kStatusPaneWidths[k], readoutWidth + 12)
                                : kStatusPaneWidths[k]);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    statusBar()->addPermanentWidget(pane);
    statusPanes_[static_cast<std::size_t>(k)] = pane;
  }
  ResetStatusBar();
}

void CMainFrame::ResetStatusBar() {
  for (int k = 0; k < 3; ++k)
    statusPanes_[static_cast<std::size_t>(k)]->setText(kStatusPaneTexts[k]);
  statusBar()->clearMessage();
}

void CMainFrame::CreateBars() {
  planBar_ = new MissionPlanBar;
  planDock_ = new QDockWidget("Mission plan", this);
  planDock_->setObjectName("missionPlanBar");
  planDock_->setWidget(planBar_);
  planDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  addDockWidget(Qt::LeftDockWidgetArea, planDock_);

  animationBar_ =
      new AnimationBar([this](int controlId, int value) { OnAnimationControl(controlId, value); });
  animationDock_ = new QDockWidget("Animation", this);
  animationDock_->setObjectName("animationBar");
  animationDock_->setWidget(animationBar_);
  animationDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  addDockWidget(Qt::BottomDockWidgetArea, animationDock_);
  for (QDockWidget* dock : {planDock_, animationDock_}) {
    connect(dock, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
  }
}

// --- Commands --------------------------------------------------------------------------------

QLabel* CMainFrame::statusPane(int index) const {
  return statusPanes_.at(static_cast<std::size_t>(index));
}

QMdiSubWindow* CMainFrame::ActiveSubWindow() const {
  // While another top-level window has the focus the area reports none active; the document
  // window that was active last is still the one the commands are for.
  QMdiSubWindow* window = mdi_->activeSubWindow();
  if (!window && !mdi_->subWindowList().isEmpty()) {
    window = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder).last();
  }
  return window;
}

CChildFrame* CMainFrame::ActiveChild() const {
  QMdiSubWindow* window = ActiveSubWindow();
  return window ? dynamic_cast<CChildFrame*>(window->widget()) : nullptr;
}

CPlumoraDoc* CMainFrame::ActiveDocument() const {
  CChildFrame* child = ActiveChild();
  return child ? &child->doc() : nullptr;
}

CPlumoraView* CMainFrame::ActiveView() const {
  CChildFrame* child = ActiveChild();
  return child ? child->ActiveView() : nullptr;
}

CommandState CMainFrame::CurrentCommandState() const {
  CommandState state;
  const CChildFrame* child = ActiveChild();
  const CPlumoraView* view = child ? child->ActiveView() : nullptr;
  state.document = child != nullptr;
  state.running = running_;
  state.hasResults = view ? view->HasResults() : child && child->doc().results.LastIndex() >= 0;
  state.pane = view != nullptr;
  state.mode = view ? view->state().Mode() : DisplayMode::kNone;
  state.trackLine = view && view->state().trackLine;
  state.toolBar = toolBar_ && toolBar_->isVisible();
  state.statusBar = statusBar()->isVisible();
  state.planBar = planDock_ && planDock_->isVisible();
  state.animationBar = animationDock_ && animationDock_->isVisible();
  state.recentFiles = static_cast<int>(recentFiles_.files().size());
  return state;
}

void CMainFrame::UpdateCommandStates() {
  UpdateRecentFiles();
  commands_.Refresh();
}

void CMainFrame::ShowPanePopup(CPlumoraView& view, const QPoint& globalPos) {
  // The popup's commands act on the active pane: the pane clicked becomes it first.
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (window->widget()->isAncestorOf(&view) && window != mdi_->activeSubWindow()) {
      mdi_->setActiveSubWindow(window);
    }
  }
  if (ActiveView() != &view) return;
  commands_.ExecPopup(this, globalPos, CurrentCommandState());
}

void CMainFrame::ListWindows(QMenu& menu) {
  // One entry per document window after the separator, the active one checked.
  const QList<QAction*> all = menu.actions();
  for (qsizetype k = all.indexOf(windowList_) + 1; k < all.size(); ++k) {
    menu.removeAction(all[k]);
    all[k]->deleteLater();
  }
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  windowList_->setVisible(!windows.isEmpty());
  for (qsizetype k = 0; k < windows.size(); ++k) {
    QMdiSubWindow* window = windows[k];
    const QString title = window->widget()->windowTitle().remove("[*]");
    QAction* action = menu.addAction(QString("&%1 %2").arg(k + 1).arg(title));
    action->setCheckable(true);
    action->setChecked(window == mdi_->activeSubWindow());
    connect(action, &QAction::triggered, this, [this, guarded = QPointer<QMdiSubWindow>(window)] {
      if (guarded) mdi_->setActiveSubWindow(guarded);
    });
  }
}

void CMainFrame::UpdateRecentFiles() {
  const auto& files = recentFiles_.files();
  for (int k = 0; k < kRecentFileCount; ++k) {
    QAction* action = commands_.Action(kCmdFileMru1 + k);
    if (action && k < static_cast<int>(files.size())) {
      action->setText(QString::fromStdString(recentFiles_.MenuText(k)));
    }
  }
  QSettings settings;
  const std::vector<std::string> entries = recentFiles_.Entries();
  for (int k = 0; k < kRecentFileCount; ++k) {
    const QString key = QString("%1/File%2").arg(kRecentGroup).arg(k + 1);
    if (k < static_cast<int>(entries.size())) {
      settings.setValue(key, QString::fromStdString(entries[static_cast<std::size_t>(k)]));
    } else {
      settings.remove(key);
    }
  }
}

void CMainFrame::OpenRecentFile(int entry) {
  if (entry >= static_cast<int>(recentFiles_.files().size())) return;
  const std::filesystem::path path = recentFiles_.files()[static_cast<std::size_t>(entry)];
  // A file that no longer opens leaves the list.
  if (!OpenDocument(path)) recentFiles_.Remove(path);
  UpdateCommandStates();
}

// --- Documents -------------------------------------------------------------------------------

void CMainFrame::SetPrompter(Prompter* prompter) {
  prompter_ = prompter ? prompter : &messageBoxes_;
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (auto* child = dynamic_cast<CChildFrame*>(window->widget())) {
      child->doc().SetPrompter(prompter_);
    }
  }
}

CChildFrame* CMainFrame::AddChild(std::unique_ptr<CPlumoraDoc> doc, DocumentState state) {
  doc->baseFolder = baseFolder_;
  doc->SetPrompter(prompter_);
  auto* child = new CChildFrame(*this, std::move(doc), std::move(state));
  QMdiSubWindow* window = mdi_->addSubWindow(child);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->showMaximized();
  mdi_->setActiveSubWindow(window);
  OnSubWindowActivated(window);
  return child;
}

CChildFrame* CMainFrame::NewDocument() {
  return AddChild(std::make_unique<CPlumoraDoc>(), DocumentState(nextUntitled_++));
}

CChildFrame* CMainFrame::OpenDocument(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path wanted = std::filesystem::weakly_canonical(path, error);
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    auto* child = dynamic_cast<CChildFrame*>(window->widget());
    if (child && child->documentState().HasPath() &&
        std::filesystem::weakly_canonical(child->documentState().path(), error) == wanted) {
      mdi_->setActiveSubWindow(window);
      return child;
    }
  }
  auto doc = std::make_unique<CPlumoraDoc>();
  doc->SetPrompter(prompter_);
  if (const Result<> loaded = LoadMission(*doc, path); !loaded) {
    ShowError(*prompter_, loaded.error());
    return nullptr;
  }
  DocumentState state(nextUntitled_++);
  state.SetPath(path);
  recentFiles_.Add(path);
  CChildFrame* child = AddChild(std::move(doc), std::move(state));
  UpdateCommandStates();
  return child;
}

void CMainFrame::Open() {
  const QString name = QFileDialog::getOpenFileName(this, "Open", QString(), MissionFilters());
  if (!name.isEmpty()) OpenDocument(ToPath(name));
}

bool CMainFrame::SaveDocument(CChildFrame& child, bool saveAs) {
  DocumentState& state = child.documentState();
  std::filesystem::path path = state.path();
  if (saveAs || !state.HasPath()) {
    QString filter;
    const QString suggested =
        state.HasPath() ? PathText(state.path()) : QString::fromStdString(state.Title() + ".psd");
    const QString name =
        QFileDialog::getSaveFileName(this, "Save As", suggested, MissionFilters(), &filter);
    if (name.isEmpty()) return false;
    path = ToPath(name);
    if (!path.has_extension()) path += filter.contains("*.json") ? ".json" : ".psd";
  }
  if (const Result<> saved = SaveMission(child.doc().mission, path); !saved) {
    ShowError(*prompter_, saved.error());
    return false;
  }
  state.SetPath(path);
  recentFiles_.Add(path);
  child.UpdateTitle();
  UpdateTitle();
  UpdateCommandStates();
  return true;
}

bool CMainFrame::QuerySaveDocument(CChildFrame& child) {
  if (running_) return false;
  if (!child.documentState().modified()) return true;
  QMessageBox box(QMessageBox::Warning, kProgramTitle,
                  ToQString(child.documentState().SavePrompt()),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Save);
  const int answer = box.exec();
  if (answer == QMessageBox::Save) return SaveDocument(child, false);
  return answer == QMessageBox::Discard;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    return;
  }
  // One window after the other: Cancel on any of them keeps the program, and the windows not
  // asked yet, open.
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (!window->close()) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

void CMainFrame::MarkModified(CPlumoraDoc& doc) {
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    auto* child = dynamic_cast<CChildFrame*>(window->widget());
    if (child && &child->doc() == &doc) {
      child->documentState().SetModified();
      child->UpdateTitle();
    }
  }
  UpdateTitle();
}

void CMainFrame::UpdateTitle() {
  // The caption stays the program's name: the area adds the maximised document window's own
  // caption to it ("plumora - [mission.psd]"), so the name is never there twice.
  CChildFrame* child = ActiveChild();
  setWindowModified(child && child->documentState().modified());
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
  if (running_) return;
  // The area also reports "none active" while another top-level window (a message box) has the
  // focus; the bars keep showing the document until no document window is left.
  if (!window && !mdi_->subWindowList().isEmpty()) return;
  CChildFrame* child = window ? dynamic_cast<CChildFrame*>(window->widget()) : nullptr;
  if (window && !child) return;
  // The area names its window again each time the program gets the focus back from another
  // one: the window the user works in stays as it was left (the sample shown, a zoomed pane, the
  // active pane). Only a change to another mission window starts it over.
  if (child && child == activeFrame_) return;
  // Only the window the user works in shows its active pane's red frame.
  if (activeFrame_ != child) {
    const QPointer<CChildFrame> previous = activeFrame_;
    activeFrame_ = child;
    if (previous) previous->FrameActivated();
    if (child) child->FrameActivated();
  }
  RefreshMissionPlan(child ? &child->doc() : nullptr);
  if (child) {
    if (!window->isMaximized()) window->showMaximized();
    // Once the window has its size, the four panes share it.
    QMetaObject::invokeMethod(
        child, [child] { child->EqualisePanes(); }, Qt::QueuedConnection);
  } else {
    ResetStatusBar();  // nothing is left to read out
  }
  ResetAnimation();
  UpdateTitle();
  UpdateCommandStates();
}

bool CMainFrame::IsActiveFrame(const CChildFrame& child) const {
  return activeFrame_ == &child;
}

// --- Bars and animation ----------------------------------------------------------------------

void CMainFrame::RefreshMissionPlan(const CPlumoraDoc* doc) {
  planBar_->Show(MissionPlanFor(doc));
}

void CMainFrame::ResetAnimation() {
  CChildFrame* child = ActiveChild();
  animation_.Bind(child ? &child->doc().results : nullptr);
  animation_.ResetAnimation();
  ScheduleAnimation();
  animationBar_->Show(animation_);
}

void CMainFrame::ScheduleAnimation() {
  const double due = animation_.MsToNextStep();
  if (due < 0.0) {
    animationTimer_.stop();
  } else {
    animationTimer_.start(static_cast<int>(std::ceil(std::min(due, 1e9))));
  }
}

void CMainFrame::OnAnimationControl(int controlId, int value) {
  if (running_) return;
  switch (controlId) {
    case kCtlToStart:
      animation_.ToStart();
      break;
    case kCtlStepBack:
      animation_.StepBack();
      break;
    case kCtlStepForward:
      animation_.StepForward();
      break;
    case kCtlToEnd:
      animation_.ToEnd();
      break;
    case kCtlPlay:
      animation_.Play();
      break;
    case kCtlPause:
      animation_.Pause();
      break;
    case kCtlAnimationSlider:
      animation_.SliderReleased(value);
      break;
    case kCtlSpeed:
      animation_.SpeedSelected(value);
      break;
    case kCtlZoomToSelection:
      if (CPlumoraView* view = ActiveView()) view->ZoomToSelection();
      break;
    case kCtlZoomReset:
      if (CPlumoraView* view = ActiveView()) view->ResetZoom();
      break;
    default:
      break;
  }
  ScheduleAnimation();
  animationBar_->Show(animation_);
}

void CMainFrame::ShowReadout(const QString& x, const QString& y) {
  statusPanes_[0]->setText(x);
  statusPanes_[1]->setText(y);
}

void CMainFrame::DocumentResultsChanged(CChildFrame& child) {
  if (&child == ActiveChild()) ResetAnimation();
}

void CMainFrame::DocumentClosing(CChildFrame& child) {
  if (animation_.bound() == &child.doc().results) {
    animation_.Bind(nullptr);
    animation_.ResetAnimation();
    ScheduleAnimation();
    animationBar_->Show(animation_);
  }
  // Once the window is gone, the bars show whichever document is active then, or none.
  QMetaObject::invokeMethod(
      this, [this] { OnSubWindowActivated(ActiveSubWindow()); }, Qt::QueuedConnection);
}

void CMainFrame::DocumentPlanChanged(CChildFrame& child) {
  if (&child == ActiveChild()) RefreshMissionPlan(&child.doc());
}

// --- Run -------------------------------------------------------------------------------------

void CMainFrame::CheckActiveMission() {
  CChildFrame* child = ActiveChild();
  if (!child) return;
  const MissionFindings findings = CheckMission(child->doc().mission);
  if (findings.HasErrors()) {
    prompter_->Message(findings.ErrorText() + findings.WarningText(), kCaptionError);
  } else if (!findings.warnings.empty()) {
    prompter_->Message(findings.WarningText(), kCaptionWarning);
  } else {
    prompter_->Message(kMsgMissionChecked, kCaptionCheckMission);
  }
}

void CMainFrame::RunActiveMission() {
  CChildFrame* child = ActiveChild();
  if (!child || running_) return;
  running_ = true;
  UpdateCommandStates();
  // Nothing may read the results while the worker replaces them: the animation stops and the
  // panes keep their last picture until the run is over.
  animation_.Pause();
  ScheduleAnimation();
  animation_.Bind(nullptr);
  child->FreezeViews();

  CPlumoraDoc& doc = child->doc();
  // The relay wakes the dialog from the worker; the dialog exists before the worker starts.
  ProgressDialog* dialogPtr = nullptr;
  ProgressRelay relay([&dialogPtr] {
    ProgressDialog* target = dialogPtr;
    QMetaObject::invokeMethod(
        target, [target] { target->Refresh(); }, Qt::QueuedConnection);
  });
  ProgressDialog dialog(relay, this);
  dialogPtr = &dialog;
  MarshallingPrompter prompter(*prompter_, GuiInvoker(this));
  doc.SetPrompter(&prompter);
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
  doc.SetPrompter(prompter_);
  dialog.hide();
  running_ = false;
  child->ThawViews();
  // The results may have been emptied without a notification (an atmosphere that could not be
  // read): the animation rebinds to whatever the store holds now.
  animation_.Bind(&doc.results);
  if (animation_.index() > doc.results.LastIndex()) animation_.ResetAnimation();
  animationBar_->Show(animation_);
  // Something visible tells that the run is over, and how it ended.
  statusBar()->showMessage(QString::fromStdString(RunEndText(outcome, doc.results)));
  UpdateCommandStates();
}

// --- Export ----------------------------------------------------------------------------------

void CMainFrame::ExportResultsAs() {
  CChildFrame* child = ActiveChild();
  if (!child) return;
  const DocumentState& state = child->documentState();
  std::filesystem::path suggested =
      state.HasPath() ? state.path() : std::filesystem::path(state.Title());
  suggested.replace_extension(".csv");
  const QString name = QFileDialog::getSaveFileName(this, "Export results", PathText(suggested),
                                                    "CSV files (*.csv);;All Files (*)");
  if (!name.isEmpty()) ExportResults(ToPath(name));
}

bool CMainFrame::ExportResults(const std::filesystem::path& path) {
  CChildFrame* child = ActiveChild();
  if (!child) return false;
  const Result<> written =
      WriteResultsCsv(child->doc().results, path, child->documentState().path());
  if (!written) ShowError(*prompter_, written.error());
  return written.ok();
}

// --- Printing --------------------------------------------------------------------------------

QPrinter& CMainFrame::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void CMainFrame::Print(PrintRoute route) {
  CPlumoraView* view = ActiveView();
  if (!view) return;
  switch (route) {
    case PrintRoute::kPreview: {
      QPrintPreviewDialog dialog(&printer(), this);
      connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
              [view](QPrinter* target) { view->Print(*target); });
      dialog.exec();
      return;
    }
    case PrintRoute::kDirect:
      // The printer chosen last (in Print or Print Setup), or the system's default one.
      if (!HasPrintTarget(printer())) {
        prompter_->Message(kMsgNoPrinter, kCaptionError);
        return;
      }
      view->Print(printer());
      return;
    case PrintRoute::kAsk: {
      QPrintDialog dialog(&printer(), this);
      if (dialog.exec() == QDialog::Accepted) view->Print(printer());
      return;
    }
  }
}

}  // namespace plumora::gui
