// The main window: menus, toolbar and status bar, the document windows in an MDI area, the
// mission plan bar on the left and the animation control bar at the bottom. It owns the
// animation (the current sample every pane follows) and runs missions.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <map>
#include <memory>

#include "core/common/Prompter.h"
#include "gui/app/GlResources.h"
#include "gui/app/QtPrompter.h"
#include "gui/logic/AnimationControl.h"
#include "gui/logic/DocumentState.h"

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

class CMainFrame : public QMainWindow {
 public:
  explicit CMainFrame(std::filesystem::path baseFolder);
  ~CMainFrame() override;

  // --- Documents ----------------------------------------------------------------------
  CChildFrame* NewDocument();
  // Opens the mission in a new window (or brings its window forward when it is open already);
  // null when it could not be read (the reason has been shown).
  CChildFrame* OpenDocument(const std::filesystem::path& path);
  // Saves under the document's file, or asks for one (always, with saveAs). False when nothing
  // was saved.
  bool SaveDocument(CChildFrame& child, bool saveAs);
  // Before a document with unsaved changes closes: save, discard or keep it open.
  bool QuerySaveDocument(CChildFrame& child);
  CChildFrame* ActiveChild() const;

  // The prompter of documents and runs (message boxes; tests put a recorder in its place).
  void SetPrompter(Prompter* prompter);
  Prompter& prompter() const { return *prompter_; }

  // --- Run ------------------------------------------------------------------------------
  // Runs the active mission on a worker thread behind the progress dialog; returns when it
  // has ended.
  void RunActiveMission();
  bool running() const { return running_; }

  // --- Animation and bars ---------------------------------------------------------------
  AnimationControl& animation() { return animation_; }
  void ResetAnimation();
  void RefreshMissionPlan(const CPlumoraDoc* doc);
  MissionPlanBar* missionPlanBar() const { return planBar_; }
  AnimationBar* animationBar() const { return animationBar_; }
  void OnAnimationControl(int controlId, int value);

  // --- For the document windows -----------------------------------------------------------
  void DocumentResultsChanged(CChildFrame& child);
  void DocumentPlanChanged(CChildFrame& child);
  // A document window is going: nothing may refer to its document any more.
  void DocumentClosing(CChildFrame& child);
  void SetStatusPanes(const QString& x, const QString& y);
  void UpdateTitle();

  // --- Commands -------------------------------------------------------------------------
  // The action of a command id (menus and toolbar), or null.
  QAction* Action(int commandId) const;
  void OnCommand(int commandId);
  // Brings every menu item's enabled and checked state up to date.
  void UpdateCommandStates();
  // The printer that Print, Print Preview and Print Setup share.
  QPrinter& printer();
  QLabel* statusPane(int index) const;
  // The display lists every 3D view draws with.
  GlResources& glResources() { return glResources_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* AddCommand(QMenu* menu, int commandId, const QString& text);
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreateBars();
  void UpdateRecentFiles();
  void ListWindows(QMenu& menu);
  void OnSubWindowActivated(QMdiSubWindow* window);
  void OnIdle();
  void Open();
  void Print(bool preview);
  CPlumoraView* ActiveView() const;
  QMdiSubWindow* ActiveSubWindow() const;
  CChildFrame* AddChild(std::unique_ptr<CPlumoraDoc> doc, DocumentState state);

  std::filesystem::path baseFolder_;
  QtPrompter messageBoxes_;
  Prompter* prompter_ = &messageBoxes_;
  QMdiArea* mdi_;
  MissionPlanBar* planBar_ = nullptr;
  AnimationBar* animationBar_ = nullptr;
  QDockWidget* planDock_ = nullptr;
  QDockWidget* animationDock_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  std::array<QLabel*, 3> statusPanes_{};
  QMenu* showMenu_ = nullptr;
  std::vector<QAction*> recentActions_;
  QAction* windowList_ = nullptr;  // the separator before the list of windows
  std::map<int, QAction*> actions_;
  AnimationControl animation_;
  QTimer idle_;
  RecentFileList recentFiles_;
  std::unique_ptr<QPrinter> printer_;
  int nextUntitled_ = 1;
  bool running_ = false;
  GlResources glResources_;
};

}  // namespace plumora::gui
