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
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <thread>

#include "core/app/MissionFiles.h"
#include "core/app/RunMission.h"
#include "core/common/Messages.h"
#include "core/flight/ProgressMeter.h"
#include "gui/app/AboutBox.h"
#include "gui/app/Artwork.h"
#include "gui/app/ProgressDialog.h"
#include "gui/editing/AnimationBar.h"
#include "gui/editing/CChildFrame.h"
#include "gui/editing/MissionPlanBar.h"
#include "gui/logic/CommandIds.h"
#include "gui/logic/MissionPlan.h"
#include "gui/logic/ResultsViewState.h"
#include "gui/results/CPlumoraView.h"

namespace plumora::gui {

namespace {

constexpr int kStatusPaneWidths[] = {100, 100, 150};
const char* const kStatusPaneTexts[] = {"X=0.0", "Y=0.0", " "};
const char* const kRecentGroup = "Recent File List";

QString MissionFilters() {
  return ToQString(kMissionFileFilter) + ";;Plumora JSON mission (*.json);;All Files (*)";
}

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdString());
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

}  // namespace

CMainFrame::CMainFrame(std::filesystem::path baseFolder)
    : baseFolder_(std::move(baseFolder)),
      messageBoxes_(this),
      animation_(SteadyMilliseconds),
      recentFiles_(kRecentFileCount) {
  setWindowTitle(kProgramTitle);
  setWindowIcon(QIcon(MissionPlanPicture()));
  mdi_ = new QMdiArea;
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

  QSettings settings;
  std::vector<std::string> entries;
  for (int k = 1; k <= kRecentFileCount; ++k) {
    entries.push_back(
        settings.value(QString("%1/File%2").arg(kRecentGroup).arg(k)).toString().toStdString());
  }
  recentFiles_.SetEntries(entries);

  CreateBars();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();

  animation_.SetRefresh([this](int index, bool playing) {
    if (CChildFrame* child = ActiveChild()) child->RefreshPanes(index, playing);
    animationBar_->Show(animation_);
  });
  idle_.setInterval(0);  // the animation runs whenever the interface is idle
  connect(&idle_, &QTimer::timeout, this, &CMainFrame::OnIdle);
  RefreshMissionPlan(nullptr);
  ResetAnimation();
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
  idle_.stop();
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

QAction* CMainFrame::AddCommand(QMenu* menu, int commandId, const QString& text) {
  auto* action = new QAction(text, this);
  action->setData(commandId);
  action->setStatusTip(ToQString(StatusPrompt(commandId)));
  connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
  if (menu) menu->addAction(action);
  actions_[commandId] = action;
  return action;
}

void CMainFrame::CreateMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  AddCommand(file, kCmdFileNew, "&New")->setShortcut(QKeySequence::New);
  AddCommand(file, kCmdFileOpen, "&Open...")->setShortcut(QKeySequence::Open);
  AddCommand(file, kCmdFileClose, "&Close");
  AddCommand(file, kCmdFileSave, "&Save")->setShortcut(QKeySequence::Save);
  AddCommand(file, kCmdFileSaveAs, "Save &As...");
  file->addSeparator();
  AddCommand(file, kCmdFilePrint, "&Print...")->setShortcut(QKeySequence::Print);
  AddCommand(file, kCmdFilePrintPreview, "Print Pre&view");
  AddCommand(file, kCmdFilePrintSetup, "P&rint Setup...");
  file->addSeparator();
  for (int k = 0; k < kRecentFileCount; ++k) {
    recentActions_.push_back(AddCommand(file, kCmdFileMru1 + k, QString()));
  }
  file->addSeparator();
  AddCommand(file, kCmdAppExit, "E&xit");
  connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

  QMenu* view = menuBar()->addMenu("&View");
  QAction* toolbar = AddCommand(view, kCmdViewToolbar, "&Toolbar");
  toolbar->setCheckable(true);
  QAction* status = AddCommand(view, kCmdViewStatusBar, "&Status Bar");
  status->setCheckable(true);
  QAction* plan = AddCommand(view, kCmdMainControl, "Main control");
  plan->setCheckable(true);
  QAction* animationBar = AddCommand(view, kCmdAnimationControl, "Animation control");
  animationBar->setCheckable(true);
  connect(view, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

  QMenu* simulation = menuBar()->addMenu("S&imulation");
  AddCommand(simulation, kCmdRun, "Run");
  connect(simulation, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

  showMenu_ = menuBar()->addMenu("S&how");
  for (const ModeCommand& c : kModeCommands) {
    AddCommand(showMenu_, c.showId, ToQString(c.text))->setCheckable(true);
  }
  connect(showMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

  QMenu* window = menuBar()->addMenu("&Window");
  AddCommand(window, kCmdWindowCascade, "&Cascade");
  AddCommand(window, kCmdWindowTile, "&Tile");
  windowList_ = window->addSeparator();
  connect(window, &QMenu::aboutToShow, this, [this, window] { ListWindows(*window); });

  QMenu* help = menuBar()->addMenu("&Help");
  AddCommand(help, kCmdAppAbout, "&About plumora...");
}

void CMainFrame::CreateToolBar() {
  toolBar_ = addToolBar("Toolbar");
  toolBar_->setObjectName("toolbar");
  toolBar_->setIconSize(QSize(24, 24));
  const std::pair<int, Artwork> buttons[] = {
      {kCmdFileNew, Artwork::kNew},   {kCmdFileOpen, Artwork::kOpen},
      {kCmdFileSave, Artwork::kSave}, {kCmdFilePrint, Artwork::kPrint},
      {kCmdRun, Artwork::kRun},       {kCmdAppAbout, Artwork::kAbout},
  };
  for (const auto& [id, artwork] : buttons) {
    QAction* action = actions_.at(id);
    action->setIcon(ArtworkIcon(artwork));
    // The tooltip is the menu text without its mnemonic and dots.
    action->setToolTip(action->text().remove('&').remove("..."));
    toolBar_->addAction(action);
  }
  connect(toolBar_, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateStatusBar() {
  for (int k = 0; k < 3; ++k) {
    auto* pane = new QLabel(kStatusPaneTexts[k]);
    pane->setFixedWidth(kStatusPaneWidths[k]);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    statusBar()->addPermanentWidget(pane);
    statusPanes_[static_cast<std::size_t>(k)] = pane;
  }
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

QAction* CMainFrame::Action(int commandId) const {
  const auto it = actions_.find(commandId);
  return it == actions_.end() ? nullptr : it->second;
}

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

CPlumoraView* CMainFrame::ActiveView() const {
  CChildFrame* child = ActiveChild();
  return child ? child->ActiveView() : nullptr;
}

void CMainFrame::UpdateCommandStates() {
  CChildFrame* child = ActiveChild();
  const bool document = child != nullptr;
  for (int id : {kCmdFileClose, kCmdFileSave, kCmdFileSaveAs, kCmdFilePrint, kCmdFilePrintPreview,
                 kCmdRun}) {
    actions_.at(id)->setEnabled(document && !running_);
  }
  for (int id : {kCmdWindowCascade, kCmdWindowTile}) actions_.at(id)->setEnabled(document);
  actions_.at(kCmdViewToolbar)->setChecked(toolBar_ && toolBar_->isVisible());
  actions_.at(kCmdViewStatusBar)->setChecked(statusBar()->isVisible());
  actions_.at(kCmdMainControl)->setChecked(planDock_->isVisible());
  actions_.at(kCmdAnimationControl)->setChecked(animationDock_->isVisible());
  UpdateRecentFiles();

  CPlumoraView* view = ActiveView();
  for (const ModeCommand& c : kModeCommands) {
    QAction* action = actions_.at(c.showId);
    if (!view) {
      action->setEnabled(false);
      action->setChecked(false);
      continue;
    }
    const MenuItemState item = ShowMenuState(c.showId, view->state(), view->HasResults());
    action->setEnabled(item.enabled && !running_);
    action->setChecked(item.checked);
  }
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
    QAction* action = recentActions_[static_cast<std::size_t>(k)];
    const bool used = k < static_cast<int>(files.size());
    action->setVisible(used);
    if (used) action->setText(QString::fromStdString(recentFiles_.MenuText(k)));
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

void CMainFrame::OnCommand(int commandId) {
  if (const std::optional<DisplayMode> mode = ModeOfCommand(commandId)) {
    if (CPlumoraView* view = ActiveView()) view->OnCommand(commandId);
    UpdateCommandStates();
    return;
  }
  if (commandId >= kCmdFileMru1 && commandId < kCmdFileMru1 + kRecentFileCount) {
    const std::size_t entry = static_cast<std::size_t>(commandId - kCmdFileMru1);
    if (entry < recentFiles_.files().size()) {
      const std::filesystem::path path = recentFiles_.files()[entry];
      // A file that no longer opens leaves the list.
      if (!OpenDocument(path)) recentFiles_.Remove(path);
    }
    UpdateCommandStates();
    return;
  }
  CChildFrame* child = ActiveChild();
  switch (commandId) {
    case kCmdFileNew:
      NewDocument();
      break;
    case kCmdFileOpen:
      Open();
      break;
    case kCmdFileClose:
      if (QMdiSubWindow* window = ActiveSubWindow()) window->close();
      break;
    case kCmdFileSave:
    case kCmdFileSaveAs:
      if (child) SaveDocument(*child, commandId == kCmdFileSaveAs);
      break;
    case kCmdFilePrint:
      Print(false);
      break;
    case kCmdFilePrintPreview:
      Print(true);
      break;
    case kCmdFilePrintSetup: {
      QPageSetupDialog dialog(&printer(), this);
      dialog.exec();
      break;
    }
    case kCmdAppExit:
      close();
      break;
    case kCmdAppAbout:
      ShowAboutBox(this);
      break;
    case kCmdViewToolbar:
      toolBar_->setVisible(!toolBar_->isVisible());
      break;
    case kCmdViewStatusBar:
      statusBar()->setVisible(!statusBar()->isVisible());
      break;
    case kCmdMainControl:
      planDock_->setVisible(!planDock_->isVisible());
      break;
    case kCmdAnimationControl:
      animationDock_->setVisible(!animationDock_->isVisible());
      break;
    case kCmdRun:
      RunActiveMission();
      break;
    case kCmdWindowCascade:
      mdi_->cascadeSubWindows();
      break;
    case kCmdWindowTile:
      mdi_->tileSubWindows();
      break;
    default:
      break;
  }
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
  if (!LoadMission(*doc, path)) return nullptr;
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
  if (!SaveMission(child.doc(), path)) return false;
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
  const auto answer = QMessageBox::question(
      this, kProgramTitle, QString::fromStdString(child.documentState().SavePrompt()),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Yes) return SaveDocument(child, false);
  return answer == QMessageBox::No;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    return;
  }
  mdi_->closeAllSubWindows();
  if (!mdi_->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  event->accept();
}

void CMainFrame::UpdateTitle() {
  CChildFrame* child = ActiveChild();
  setWindowTitle(QString::fromStdString(FrameTitle(child ? &child->documentState() : nullptr)) +
                 "[*]");
  setWindowModified(child && child->documentState().modified());
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
  if (running_) return;
  // The area also reports "none active" while another top-level window (a message box) has the
  // focus; the bars keep showing the document until no document window is left.
  if (!window && !mdi_->subWindowList().isEmpty()) return;
  CChildFrame* child = window ? dynamic_cast<CChildFrame*>(window->widget()) : nullptr;
  if (window && !child) return;
  RefreshMissionPlan(child ? &child->doc() : nullptr);
  if (child) {
    if (!window->isMaximized()) window->showMaximized();
    // Once the window has its size, the four panes share it.
    QMetaObject::invokeMethod(
        child, [child] { child->EqualisePanes(); }, Qt::QueuedConnection);
  }
  ResetAnimation();
  UpdateTitle();
  UpdateCommandStates();
}

// --- Bars and animation ----------------------------------------------------------------------

void CMainFrame::RefreshMissionPlan(const CPlumoraDoc* doc) {
  planBar_->Show(MissionPlanFor(doc));
}

void CMainFrame::ResetAnimation() {
  CChildFrame* child = ActiveChild();
  animation_.Bind(child ? &child->doc().results : nullptr);
  animation_.ResetAnimation();
  idle_.stop();
  animationBar_->Show(animation_);
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
  if (animation_.playing() && !idle_.isActive()) idle_.start();
  animationBar_->Show(animation_);
}

void CMainFrame::OnIdle() {
  if (!animation_.Idle()) idle_.stop();
}

void CMainFrame::SetStatusPanes(const QString& x, const QString& y) {
  statusPanes_[0]->setText(x);
  statusPanes_[1]->setText(y);
}

void CMainFrame::DocumentResultsChanged(CChildFrame& child) {
  if (&child == ActiveChild()) ResetAnimation();
}

void CMainFrame::DocumentClosing(CChildFrame& child) {
  if (animation_.bound() == &child.doc().results) {
    idle_.stop();
    animation_.Bind(nullptr);
    animation_.ResetAnimation();
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

void CMainFrame::RunActiveMission() {
  CChildFrame* child = ActiveChild();
  if (!child || running_) return;
  running_ = true;
  UpdateCommandStates();
  // Nothing may read the results while the worker replaces them: the animation stops and the
  // panes keep their last picture until the run is over.
  animation_.Pause();
  idle_.stop();
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
  std::thread worker([&doc, &loop] {
    RunMission(doc);
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
  UpdateCommandStates();
}

// --- Printing --------------------------------------------------------------------------------

QPrinter& CMainFrame::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void CMainFrame::Print(bool preview) {
  CPlumoraView* view = ActiveView();
  if (!view) return;
  if (preview) {
    QPrintPreviewDialog dialog(&printer(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [view](QPrinter* target) { view->Print(*target); });
    dialog.exec();
    return;
  }
  QPrintDialog dialog(&printer(), this);
  if (dialog.exec() == QDialog::Accepted) view->Print(printer());
}

}  // namespace plumora::gui
