// One results pane of a document window. It shows nothing or one of seven display modes of the
// document's results; the pane object of the mode (ResultsPane) paints, prints and reacts to the
// mouse and the animation, this widget hosts it: the 2D canvas with its scroll bars, the red
// frame of the active pane, activation, the popup and the pane zoom.
//
// Panes are made when their mode is first chosen and kept while the view lives, so switching
// back to a mode finds it as it was (an OpenGL surface is not rebuilt). A pane with a surface of
// its own is shown on a page of a stack beside the 2D canvas.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "gui/results/ResultsPane.h"

class QAbstractScrollArea;
class QPainter;
class QPrinter;
class QStackedWidget;

namespace plumora::gui {

class FrameHost;
class PaneCanvas;
class CPlumoraView;

// What a view needs of the document window it sits in.
class ViewFrame {
 public:
  virtual ~ViewFrame() = default;
  virtual const CPlumoraDoc& doc() const = 0;
  virtual FrameHost& host() const = 0;
  // True for the window the user works in: its active pane wears the red frame.
  virtual bool IsActive() const = 0;
  virtual void SetActiveView(CPlumoraView* view) = 0;
  // The pane fills the window, or the four panes come back when it already does.
  virtual void TogglePaneMaximised(CPlumoraView& view) = 0;
  // The mouse read-out of a pane, for the main window's status bar.
  virtual void ShowReadout(const std::string& x, const std::string& y) = 0;
};

class CPlumoraView : public QWidget, private PaneHost {
 public:
  CPlumoraView(ViewFrame& frame, int column, int row, QWidget* parent = nullptr);
  ~CPlumoraView() override;

  int column() const { return column_; }
  int row() const { return row_; }
  const ResultsViewState& state() const { return state_; }
  // The settings to change from outside the pane's own commands (snapshots and tests).
  ResultsViewState& settings() { return state_; }
  // The pane of the mode that is on, or null for a blank view.
  ResultsPane* pane() const { return pane_; }
  // The size the pane paints at.
  QSize paneSize() const { return clientSize(); }

  // A toggle of the Show menu or the popup: the mode that is on blanks the view, another
  // replaces it.
  void ToggleDisplayMode(DisplayMode mode);
  void OptionsCommand();
  bool HasResults() const;

  // The pane's mode and settings as the desktop keeps them for the mission (PaneSettings.h), and
  // a new pane taking them over: it shows the mode kept, with its settings.
  std::string SettingsText() const;
  void RestoreSettings(std::string_view text);
  // What Edit > Copy takes from the pane (the table's selected rows), and whether there is any.
  bool CanCopy() const;
  std::string CopyText() const;
  void SelectAll();

  // Activation within the frame: the active pane wears a red frame.
  void SetActive(bool active);

  // The document changed: repaint from it.
  void OnUpdate();
  // Paints again from what the view holds (the window's activation changed).
  void Redraw() { Repaint(); }
  // While a run writes the results, the pane keeps showing what it showed before it started.
  void Freeze();
  void Thaw();
  bool frozen() const { return frozen_; }

  // The animation moved to index.
  void AnimationStep(int index, bool playing);
  void ZoomToSelection();
  void ResetZoom();

  // Prints the current mode on one page; a blank pane prints a line saying it shows nothing.
  void Print(QPrinter& printer);

  // The 2D surface (for tests and screenshots).
  QAbstractScrollArea* canvas() const;

  // --- Called by the canvas and the panes' surfaces ---------------------------------------
  void Draw(QPainter& painter, const QSize& client);
  void MousePressed(Qt::MouseButton button, const QPoint& pos);
  void MouseReleased(Qt::MouseButton button, const QPoint& pos);
  void MouseDoubleClicked(const QPoint& pos);
  void MouseMoved(const QPoint& pos, Qt::MouseButtons buttons);
  // True when the pane took the wheel (the 3D modes zoom); otherwise the canvas scrolls.
  bool WheelTurned(int angleDelta);
  void ClientResized();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // PaneHost
  const CPlumoraDoc& document() const override;
  ResultsViewState& viewState() override { return state_; }
  int animationIndex() const override;
  bool animationPlaying() const override;
  QSize clientSize() const override;
  QPoint scrollPosition() const override;
  void SetScrollSizes(const ScrollSizes& sizes) override;
  void SetScrollPosition(const QPoint& position) override;
  void Repaint() override;
  void RepaintArea(const QRect& area) override;
  bool wearsActiveFrame() const override;
  QWidget* dialogParent() override { return window(); }
  const StartupBitmaps& bitmaps() const override;
  GlResources* SceneResources() override;
  std::string missionTitle() const override;

  void ShowPane();
  void Relayout();

  ViewFrame& frame_;
  int column_;
  int row_;
  ResultsViewState state_;
  QStackedWidget* stack_;
  PaneCanvas* canvas_;
  std::array<std::unique_ptr<ResultsPane>, kDisplayModeCount> panes_;
  ResultsPane* pane_ = nullptr;
  bool frozen_ = false;
  QPixmap frozenPicture_;
};

}  // namespace plumora::gui
