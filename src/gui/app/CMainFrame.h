// The main window: menus, toolbar and status bar, the document windows in an MDI area, the
// mission plan bar on the left and the animation control bar at the bottom. It owns the
// animation (the current sample every pane follows), runs missions and routes the commands.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "core/common/Prompter.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/kit/GlResources.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/app/DocumentState.h"
#include "gui/logic/results/AnimationControl.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/FrameHost.h"

class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::gui {

class AnimationBar;
class CChildFrame;
class CPlumoraView;
class MissionPlanBar;

class CMainFrame : public QMainWindow, public FrameHost, public CommandContext {
 public:
  // bitmaps: the start-up pictures, which outlive the window (loaded after it is shown).
  CMainFrame(std::filesystem::path baseFolder, const StartupBitmaps& bitmaps);
  ~CMainFrame() override;

  // --- Documents ----------------------------------------------------------------------
  CChildFrame* NewDocument();
  // Opens the mission in a new window (or brings its window forward when it is open already);
  // null when it could not be read (the reason has been shown).
  CChildFrame* OpenDocument(const std::filesystem::path& path);
  // Saves under the document's file, or asks for one (always, with saveAs). False when nothing
  // was saved.
  bool SaveDocument(CChildFrame& child, bool saveAs);
  CChildFrame* ActiveChild() const;

  // The prompter of documents and runs (message boxes; tests put a recorder in its place).
  void SetPrompter(Prompter* prompter);

  // --- Run and export -------------------------------------------------------------------
  // Runs the active mission on a worker thread behind the progress dialog; returns when it
  // has ended.
  void RunActiveMission();
  // Shows what the mission check finds in the active document: errors, warnings, or that there
  // are none.
  void CheckActiveMission();
  // Writes the active document's results as CSV to path; false (and said so) when it failed.
  bool ExportResults(const std::filesystem::path& path);

  // --- Animation and bars ---------------------------------------------------------------
  AnimationControl& animation() { return animation_; }
  void ResetAnimation();
  void RefreshMissionPlan(const CPlumoraDoc* doc);
  MissionPlanBar* missionPlanBar() const { return planBar_; }
  AnimationBar* animationBar() const { return animationBar_; }
  void OnAnimationControl(int controlId, int value);

  // --- Commands -------------------------------------------------------------------------
  // Runs a command as its menu item or button would; false when it is not available now.
  bool Invoke(int commandId) { return commands_.Invoke(commandId); }
  // The menu item of a command, or null.
  QAction* Action(int commandId) const { return commands_.Action(commandId); }
  // What the command rules look at now.
  CommandState CurrentCommandState() const;
  // Brings every menu item's enabled and checked state up to date.
  void UpdateCommandStates();
  // The printer that Print, Print Preview and Print Setup share.
  QPrinter& printer();
  QLabel* statusPane(int index) const;
  // The display lists every 3D view draws with.
  GlResources& glResources() { return glResources_; }
  void UpdateTitle();

  // --- FrameHost ------------------------------------------------------------------------
  bool QuerySaveDocument(CChildFrame& child) override;
  void DocumentResultsChanged(CChildFrame& child) override;
  void DocumentPlanChanged(CChildFrame& child) override;
  void DocumentClosing(CChildFrame& child) override;
  bool IsActiveFrame(const CChildFrame& child) const override;
  int AnimationIndex() const override { return animation_.index(); }
  bool AnimationPlaying() const override { return animation_.playing(); }
  void ShowReadout(const QString& x, const QString& y) override;
  void ShowPanePopup(CPlumoraView& view, const QPoint& globalPos) override;

  // --- CommandContext -------------------------------------------------------------------
  Prompter& prompter() const override { return *prompter_; }
  // The folder of the run-time data, fixed at start-up (CPlumoraApp::baseFolder).
  const std::filesystem::path& baseFolder() const override { return baseFolder_; }
  const StartupBitmaps& bitmaps() const override { return bitmaps_; }
  GlResources* SceneResources() override { return &glResources_; }
  QWidget* dialogParent() override { return this; }
  CommandRouter& commands() override { return commands_; }
  CPlumoraDoc* ActiveDocument() const override;
  CPlumoraView* ActiveView() const override;
  void MarkModified(CPlumoraDoc& doc) override;
  bool running() const override { return running_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BindCommands();
  void BindFileCommands();
  void BindViewCommands();
  void CreateToolBar();
  void CreateStatusBar();
  void ResetStatusBar();
  void CreateBars();
  void UpdateRecentFiles();
  void OpenRecentFile(int entry);
  void ListWindows(QMenu& menu);
  void OnSubWindowActivated(QMdiSubWindow* window);
  void ScheduleAnimation();
  void Open();
  void ExportResultsAs();
  // kAsk: the print dialog first; kDirect: straight to the printer; kPreview: on the screen.
  enum class PrintRoute { kAsk, kDirect, kPreview };
  void Print(PrintRoute route);
  QMdiSubWindow* ActiveSubWindow() const;
  CChildFrame* AddChild(std::unique_ptr<CPlumoraDoc> doc, DocumentState state);

  std::filesystem::path baseFolder_;
  const StartupBitmaps& bitmaps_;
  QtPrompter messageBoxes_;
  Prompter* prompter_ = &messageBoxes_;
  CommandRouter commands_;
  QMdiArea* mdi_;
  MissionPlanBar* planBar_ = nullptr;
  AnimationBar* animationBar_ = nullptr;
  QDockWidget* planDock_ = nullptr;
  QDockWidget* animationDock_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  std::array<QLabel*, 3> statusPanes_{};
  QAction* windowList_ = nullptr;  // the separator before the list of windows
  AnimationControl animation_;
  QTimer animationTimer_;  // wakes the animation when its next sample is due
  QPointer<CChildFrame> activeFrame_;
  RecentFileList recentFiles_;
  std::unique_ptr<QPrinter> printer_;
  int nextUntitled_ = 1;
  bool running_ = false;
  GlResources glResources_;
};

}  // namespace plumora::gui
