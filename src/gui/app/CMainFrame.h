// The main window: menus, toolbar and status bar, the document windows in an MDI area, the
// mission plan bar on the left and the animation control bar at the bottom. It wires the pieces
// together: the document windows, the replay every pane follows, runs, output and the commands.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <memory>

#include "core/common/Prompter.h"
#include "gui/app/AnimationPlayer.h"
#include "gui/app/DocumentWindows.h"
#include "gui/app/MissionRunner.h"
#include "gui/app/RecentFileMenu.h"
#include "gui/app/ResultsOutput.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/CommandRouter.h"
#include "gui/kit/GlResources.h"
#include "gui/kit/QtPrompter.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/FrameHost.h"

class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;

namespace plumora::gui {

class AnimationBar;
class CChildFrame;
class MissionPlanBar;
class StatusPanes;

class CMainFrame : public QMainWindow, public FrameHost, public CommandContext {
 public:
  // bitmaps: the start-up pictures, which outlive the window (loaded after it is shown).
  CMainFrame(std::filesystem::path baseFolder, const StartupBitmaps& bitmaps);
  ~CMainFrame() override;

  // --- Documents ----------------------------------------------------------------------
  CChildFrame* NewDocument() { return windows_->New(); }
  CChildFrame* OpenDocument(const std::filesystem::path& path) { return windows_->Open(path); }
  bool SaveDocument(CChildFrame& child, bool saveAs) { return windows_->Save(child, saveAs); }
  CChildFrame* ActiveChild() const { return windows_->ActiveChild(); }
  // The prompter of documents and runs (message boxes; tests put a recorder in its place).
  void SetPrompter(Prompter* prompter);

  // --- Run and export -------------------------------------------------------------------
  // Runs the active mission on a worker thread behind the progress dialog; returns when it
  // has ended.
  void RunActiveMission();
  // Shows what the mission check finds in the active document.
  void CheckActiveMission();
  // Writes the active document's results as CSV to path; false (and said so) when it failed.
  bool ExportResults(const std::filesystem::path& path);
  // The active pane as File > Export picture writes it (PNG or SVG by the name's ending).
  bool ExportPicture(const std::filesystem::path& path, const QSize& size);
  // The printer that Print, Print Preview and Print Setup share.
  QPrinter& printer() { return output_.printer(); }

  // --- Animation and bars ---------------------------------------------------------------
  AnimationControl& animation() { return player_->control(); }
  void ResetAnimation();
  // "Go to time...": asks for a time and moves the animation to the sample at or before it.
  void GoToTime();
  void RefreshMissionPlan(const CPlumoraDoc* doc);
  MissionPlanBar* missionPlanBar() const { return planBar_; }
  AnimationBar* animationBar() const { return animationBar_; }
  void OnAnimationControl(int controlId, int value);
  QLabel* statusPane(int index) const;

  // --- Commands -------------------------------------------------------------------------
  // Runs a command as its menu item or button would; false when it is not available now.
  bool Invoke(int commandId) { return commands_.Invoke(commandId); }
  // The menu item of a command, or null.
  QAction* Action(int commandId) const { return commands_.Action(commandId); }
  // What the command rules look at now.
  CommandState CurrentCommandState() const;
  // Brings every menu item's enabled and checked state up to date.
  void UpdateCommandStates();
  // The display lists every 3D view draws with.
  GlResources& glResources() { return glResources_; }
  void UpdateTitle();

  // --- FrameHost ------------------------------------------------------------------------
  bool QuerySaveDocument(CChildFrame& child) override;
  void DocumentResultsChanged(CChildFrame& child) override;
  void DocumentPlanChanged(CChildFrame& child) override;
  void DocumentClosing(CChildFrame& child) override;
  bool IsActiveFrame(const CChildFrame& child) const override;
  int AnimationIndex() const override { return player_->control().index(); }
  bool AnimationPlaying() const override { return player_->control().playing(); }
  void ShowReadout(const QString& x, const QString& y) override;
  void ShowPanePopup(CPlumoraView& view, const QPoint& globalPos) override;
  void PaneCommandsChanged() override { commands_.Refresh(); }

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
  void RecordEdit(CPlumoraDoc& doc, const EditStep& step, const Mission& before) override;
  bool running() const override { return runner_.running(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BindCommands();
  void BindFileCommands();
  void BindViewCommands();
  void CreateToolBar();
  void CreateBars();
  void OpenRecentFile(int entry);
  void OnSubWindowActivated(QMdiSubWindow* window);

  std::filesystem::path baseFolder_;
  const StartupBitmaps& bitmaps_;
  QtPrompter messageBoxes_;
  Prompter* prompter_ = &messageBoxes_;
  CommandRouter commands_;
  RecentFileMenu recentFiles_;
  QMdiArea* mdi_;
  std::unique_ptr<DocumentWindows> windows_;
  MissionPlanBar* planBar_ = nullptr;
  AnimationBar* animationBar_ = nullptr;
  QDockWidget* planDock_ = nullptr;
  QDockWidget* animationDock_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  std::unique_ptr<StatusPanes> statusPanes_;
  QAction* windowList_ = nullptr;  // the separator before the list of windows
  std::unique_ptr<AnimationPlayer> player_;
  QPointer<CChildFrame> activeFrame_;
  ResultsOutput output_{*this};
  MissionRunner runner_{*this};
  GlResources glResources_;
};

}  // namespace plumora::gui
