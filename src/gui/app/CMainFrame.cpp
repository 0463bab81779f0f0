#include "gui/app/CMainFrame.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "gui/app/AboutBox.h"
#include "gui/app/AnimationBar.h"
#include "gui/app/EditingCommands.h"
#include "gui/app/MissionPlanBar.h"
#include "gui/app/StatusPanes.h"
#include "gui/app/StudyCommands.h"
#include "gui/editing/SetupCommands.h"
#include "gui/kit/Artwork.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/draw/DisplayText.h"
#include "gui/logic/editing/MissionPlan.h"
#include "gui/logic/study/DocumentStudy.h"
#include "gui/results/CChildFrame.h"
#include "gui/results/PaneCommands.h"
#include "gui/viewers/ViewerCommands.h"

namespace plumora::gui {

CMainFrame::CMainFrame(std::filesystem::path baseFolder, const StartupBitmaps& bitmaps)
    : baseFolder_(std::move(baseFolder)),
      bitmaps_(bitmaps),
      messageBoxes_(this),
      commands_(this, [this] { return CurrentCommandState(); }),
      recentFiles_(commands_) {
  setWindowTitle(kProgramTitle);
  setWindowIcon(QIcon(MissionPlanPicture()));
  mdi_ = new QMdiArea;
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  windows_ = std::make_unique<DocumentWindows>(
      *mdi_, *this, *this, recentFiles_.files(),
      DocumentWindows::Hooks{[this](QMdiSubWindow* window) { OnSubWindowActivated(window); },
                             [this] {
                               UpdateTitle();
                               UpdateCommandStates();
                             }});
  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
  PrepareForOpenGlViews(*this);

  CreateBars();
  BindCommands();
  commands_.BuildMenuBar(*menuBar());
  QMenu* window = commands_.Menu(CommandMenu::kWindow);
  windowList_ = window->addSeparator();
  connect(window, &QMenu::aboutToShow, this,
          [this, window] { windows_->ListWindows(*window, windowList_); });
  connect(commands_.Menu(CommandMenu::kFile), &QMenu::aboutToShow, this,
          [this] { recentFiles_.Update(); });
  CreateToolBar();
  statusPanes_ = std::make_unique<StatusPanes>(*statusBar());
  commands_.AttachButton(kCtlEditMission, planBar_->editMissionButton());
  commands_.AttachButton(kCtlEditPhase, planBar_->editPhaseButton());
  commands_.AttachButton(kCtlViewPhase, planBar_->viewPhaseButton());
  RefreshMissionPlan(nullptr);
  ResetAnimation();
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
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
      if (view && !running()) view->ToggleDisplayMode(mode);
    };
    commands_.Bind(c.showId, toggle);
    commands_.Bind(c.popupId, toggle);
  }
  for (int id : {kCmdShowOptions, kCmdPopupOptions}) {
    commands_.Bind(id, [this] {
      CPlumoraView* view = ActiveView();
      if (view && !running()) view->OptionsCommand();
    });
  }
  // The plan bar's "View phase" button is there to be pressed, and does nothing.
  commands_.Bind(kCtlViewPhase, [] {});
  for (const bool redo : {false, true}) {
    commands_.Bind(redo ? kCmdEditRedo : kCmdEditUndo, [this, redo] {
      if (CChildFrame* child = ActiveChild(); child && !running()) {
        windows_->StepHistory(*child, redo);
        UpdateTitle();
      }
    });
  }
  commands_.Bind(kCmdWindowCascade, [this] { mdi_->cascadeSubWindows(); });
  commands_.Bind(kCmdWindowTile, [this] { mdi_->tileSubWindows(); });
  commands_.Bind(kCmdAppAbout, [this] { ShowAboutBox(this); });
  // The dialogs of the mission, the setup and the data viewers bind their commands here.
  BindEditingCommands(*this, *planBar_);
  BindSetupCommands(*this);
  BindViewerCommands(*this);
  BindPaneCommands(*this);
  BindStudyCommands(*this, *windows_, [this](const QString& text) {
    statusBar()->showMessage(text);
  });
}

void CMainFrame::BindFileCommands() {
  commands_.Bind(kCmdFileNew, [this] { NewDocument(); });
  commands_.Bind(kCmdFileOpen, [this] { windows_->OpenAsk(); });
  commands_.Bind(kCmdFileClose, [this] {
    if (QMdiSubWindow* window = windows_->ActiveSubWindow()) window->close();
  });
  for (int id : {kCmdFileSave, kCmdFileSaveAs}) {
    commands_.Bind(id, [this, id] {
      if (CChildFrame* child = ActiveChild()) SaveDocument(*child, id == kCmdFileSaveAs);
    });
  }
  commands_.Bind(kCmdExportResults, [this] {
    if (CChildFrame* child = ActiveChild()) output_.ExportAs(*child);
  });
  commands_.Bind(kCmdExportPicture, [this] {
    CChildFrame* child = ActiveChild();
    CPlumoraView* view = ActiveView();
    if (child && view) output_.ExportPicture(*child, *view);
  });
  using Route = ResultsOutput::PrintRoute;
  for (const auto& [id, route] :
       {std::pair{kCmdFilePrint, Route::kAsk}, std::pair{kCmdFilePrintDirect, Route::kDirect},
        std::pair{kCmdFilePrintPreview, Route::kPreview}}) {
    commands_.Bind(id, [this, printRoute = route] {
      if (CPlumoraView* view = ActiveView()) output_.Print(*view, printRoute);
    });
  }
  commands_.Bind(kCmdFilePrintSetup, [this] { output_.PageSetup(); });
  for (int k = 0; k < kRecentFileCount; ++k) {
    commands_.Bind(kCmdFileMru1 + k, [this, k] { OpenRecentFile(k); });
  }
  commands_.Bind(kCmdAppExit, [this] { close(); });
}

void CMainFrame::BindViewCommands() {
  commands_.Bind(kCmdViewToolbar, [this] { toolBar_->setVisible(!toolBar_->isVisible()); });
  commands_.Bind(kCmdViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
  commands_.Bind(kCmdMainControl, [this] { planDock_->setVisible(!planDock_->isVisible()); });
  commands_.Bind(kCmdGoToTime, [this] { GoToTime(); });
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

void CMainFrame::CreateBars() {
  planBar_ = new MissionPlanBar;
  planDock_ = new QDockWidget("Mission plan", this);
  planDock_->setObjectName("missionPlanBar");
  planDock_->setWidget(planBar_);
  planDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  addDockWidget(Qt::LeftDockWidgetArea, planDock_);

  animationBar_ =
      new AnimationBar([this](int controlId, int value) { OnAnimationControl(controlId, value); });
  player_ = std::make_unique<AnimationPlayer>(*animationBar_, [this](int index, bool playing) {
    if (CChildFrame* child = ActiveChild()) child->RefreshPanes(index, playing);
  });
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
  return statusPanes_->pane(index);
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
  state.running = running();
  state.hasResults = view ? view->HasResults() : child && child->doc().results.LastIndex() >= 0;
  state.hasStudy = child && FlownStudyOf(child->doc()) != nullptr;
  state.pane = view != nullptr;
  state.mode = view ? view->state().Mode() : DisplayMode::kNone;
  state.trackLine = view && view->state().trackLine;
  state.canCopy = view && view->CanCopy();
  state.trackEllipses = view && view->state().trackEllipses;
  state.toolBar = toolBar_ && toolBar_->isVisible();
  state.statusBar = statusBar()->isVisible();
  state.planBar = planDock_ && planDock_->isVisible();
  state.animationBar = animationDock_ && animationDock_->isVisible();
  state.recentFiles = recentFiles_.count();
  if (child) {
    state.undoStep = child->documentState().history().UndoName();
    state.redoStep = child->documentState().history().RedoName();
  }
  return state;
}

void CMainFrame::UpdateCommandStates() {
  recentFiles_.Update();
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

void CMainFrame::OpenRecentFile(int entry) {
  RecentFileList& recent = recentFiles_.files();
  if (entry >= recentFiles_.count()) return;
  const std::filesystem::path path = recent.files()[static_cast<std::size_t>(entry)];
  // A file that no longer opens leaves the list.
  if (!OpenDocument(path)) recent.Remove(path);
  UpdateCommandStates();
}

// --- Documents -------------------------------------------------------------------------------

void CMainFrame::SetPrompter(Prompter* prompter) {
  prompter_ = prompter ? prompter : &messageBoxes_;
  for (CChildFrame* child : windows_->Children()) child->doc().SetPrompter(prompter_);
}

bool CMainFrame::QuerySaveDocument(CChildFrame& child) {
  return !running() && windows_->QuerySave(child);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // One window after the other: Cancel on any of them keeps the program open.
  if (running() || !windows_->CloseAll()) {
    event->ignore();
    return;
  }
  event->accept();
}

void CMainFrame::MarkModified(CPlumoraDoc& doc) {
  windows_->MarkModified(doc);
  UpdateTitle();
}

void CMainFrame::RecordEdit(CPlumoraDoc& doc, const EditStep& step, const Mission& before) {
  windows_->RecordEdit(doc, step, before);
  UpdateTitle();
}

void CMainFrame::UpdateTitle() {
  // The caption stays the program's name: the area adds the maximised document window's own
  // caption to it ("plumora - [mission.psd]"), so the name is never there twice.
  CChildFrame* child = ActiveChild();
  setWindowModified(child && child->documentState().modified());
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
  if (running()) return;
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
    statusPanes_->Reset();  // nothing is left to read out
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
  CPlumoraDoc* doc = ActiveDocument();
  player_->Reset(doc ? &doc->results : nullptr);
}

void CMainFrame::OnAnimationControl(int controlId, int value) {
  const PaneRequest request = player_->Use(controlId, value, running());
  CPlumoraView* view = ActiveView();
  if (view && request == PaneRequest::kZoomToSelection) view->ZoomToSelection();
  if (view && request == PaneRequest::kZoomReset) view->ResetZoom();
}

void CMainFrame::GoToTime() {
  CPlumoraDoc* doc = ActiveDocument();
  if (!doc || running() || doc->results.LastIndex() < 0) return;
  const AnimationControl& animation = player_->control();
  bool ok = false;
  const QString typed = QInputDialog::getText(
      this, ToQString(kGoToTimeCaption), ToQString(kGoToTimeLabel), QLineEdit::Normal,
      QString::number(
          doc->results.SampleAt(std::clamp(animation.index(), 0, doc->results.LastIndex())).time,
          'f', 2),
      &ok);
  if (!ok) return;
  const TimeChoice choice = SampleAtOrBefore(doc->results, typed.toStdString());
  if (choice.index < 0) {
    prompter_->Message(choice.message, kGoToTimeCaption);
    return;
  }
  player_->Show(choice.index);
}

void CMainFrame::ShowReadout(const QString& x, const QString& y) {
  statusPanes_->ShowReadout(x, y);
}

void CMainFrame::DocumentResultsChanged(CChildFrame& child) {
  if (&child == ActiveChild()) ResetAnimation();
}

void CMainFrame::DocumentClosing(CChildFrame& child) {
  windows_->RememberPanes(child);
  player_->Forget(child.doc().results);
  // Once the window is gone, the bars show whichever document is active then, or none.
  QMetaObject::invokeMethod(
      this, [this] { OnSubWindowActivated(windows_->ActiveSubWindow()); }, Qt::QueuedConnection);
}

void CMainFrame::DocumentPlanChanged(CChildFrame& child) {
  if (&child == ActiveChild()) RefreshMissionPlan(&child.doc());
}

// --- Run and export --------------------------------------------------------------------------

void CMainFrame::CheckActiveMission() {
  if (CPlumoraDoc* doc = ActiveDocument()) ShowMissionCheck(doc->mission, *prompter_);
}

void CMainFrame::RunActiveMission() {
  CChildFrame* child = ActiveChild();
  if (!child || running()) return;
  CPlumoraDoc& doc = child->doc();
  const RunOutcome outcome = runner_.Run(doc, *prompter_, [this, child] {
    UpdateCommandStates();
    // Nothing may read the results while the worker replaces them: the animation stops and the
    // panes keep their last picture until the run is over.
    player_->Hold();
    child->FreezeViews();
  });
  child->ThawViews();
  // The results may have been emptied without a notification (an atmosphere that could not be
  // read): the animation rebinds to whatever the store holds now.
  player_->Resume(doc.results);
  // Something visible tells that the run is over, and how it ended.
  statusBar()->showMessage(QString::fromStdString(RunEndText(outcome, doc.results)));
  UpdateCommandStates();
}

bool CMainFrame::ExportPicture(const std::filesystem::path& path, const QSize& size) {
  CPlumoraView* view = ActiveView();
  return view && output_.WritePicture(*view, path, size);
}

bool CMainFrame::ExportResults(const std::filesystem::path& path) {
  CChildFrame* child = ActiveChild();
  return child && output_.Export(*child, path);
}

}  // namespace plumora::gui
