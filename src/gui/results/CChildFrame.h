// The window of one mission: four results panes in a 2 × 2 split on the same document. The
// columns and rows stay aligned: one width for the first column of both rows, one height for the
// first row.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "core/app/DocumentObserver.h"
#include "core/app/PlumoraDoc.h"
#include "gui/logic/app/DocumentState.h"
#include "gui/logic/app/RunRelay.h"
#include "gui/logic/results/PaneLayout.h"
#include "gui/results/CPlumoraView.h"

class QSplitter;

namespace plumora::gui {

class FrameHost;

class CChildFrame : public QWidget, public ViewFrame, private DocumentObserver {
 public:
  CChildFrame(FrameHost& host, std::unique_ptr<CPlumoraDoc> doc, DocumentState state);
  ~CChildFrame() override;

  CPlumoraDoc& doc() { return *doc_; }
  const CPlumoraDoc& doc() const override { return *doc_; }
  DocumentState& documentState() { return state_; }
  const DocumentState& documentState() const { return state_; }

  FrameHost& host() const override { return host_; }
  bool IsActive() const override;

  CPlumoraView* View(int column, int row) const {
    return views_[static_cast<std::size_t>(2 * row + column)];
  }
  CPlumoraView* ActiveView() const { return activeView_; }
  void SetActiveView(CPlumoraView* view) override;

  // Four panes of nearly equal size, the top-left one active.
  void EqualisePanes();
  // The pane fills the window, or the four panes come back when it already does.
  void TogglePaneMaximised(CPlumoraView& view) override;
  PaneSplit CurrentSplit() const;
  void ApplySplit(const PaneSplit& split);

  // The animation moved to index: every pane hears of it.
  void RefreshPanes(int index, bool playing);
  // The window became the one the user works in, or stopped being it: the red frame follows.
  void FrameActivated();
  // During a run the panes keep their last picture.
  void FreezeViews();
  void ThawViews();

  // The mouse read-out of a pane, for the main window's status bar.
  void ShowReadout(const std::string& x, const std::string& y) override;

  // The four panes' modes and settings as the desktop keeps them for the mission, and the
  // panes taking them over (a new window's).
  std::array<std::string, 4> PaneSettingsTexts() const;
  void RestorePanes(const std::array<std::string, 4>& texts);

  // Updates the window's caption from the document state.
  void UpdateTitle();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // DocumentObserver: notifications may come from a run's worker thread; the marshalling
  // observer brings them here on the user-interface thread.
  void ChartZoomCleared(const CPlumoraDoc&) override;
  void ResultsChanged(const CPlumoraDoc&) override;
  void ViewsNeedUpdate(const CPlumoraDoc&) override;
  void MissionPlanChanged(const CPlumoraDoc&) override;
  void StudyChanged(const CPlumoraDoc&) override;

  void SyncColumns(QSplitter* moved);

  FrameHost& host_;
  std::unique_ptr<CPlumoraDoc> doc_;
  DocumentState state_;
  QSplitter* rows_;
  std::array<QSplitter*, 2> columns_;
  std::array<CPlumoraView*, 4> views_{};
  CPlumoraView* activeView_ = nullptr;
  std::unique_ptr<MarshallingObserver> observer_;
};

}  // namespace plumora::gui
