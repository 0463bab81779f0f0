// What a results pane shows in one display mode. CPlumoraView holds the pane of its mode and
// forwards painting, printing, the mouse, the animation and the Options command to it; a pane
// reaches its view only through PaneHost, so the headless snapshot can host a pane without a
// window. Adding a display mode is a pane class and one line in PaneFactory.cpp.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <string>

#include "gui/logic/draw/SvgPicture.h"
#include "gui/logic/results/DerivedSeries.h"

#include "gui/logic/results/ResultsViewState.h"
#include "gui/logic/snapshot/StartupBitmaps.h"
#include "gui/logic/table/TableLayout.h"

class QFont;
class QPainter;
class QPrinter;
class QWidget;

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::gui {

class GlResources;

// The view as a pane sees it.
class PaneHost {
 public:
  virtual ~PaneHost() = default;
  virtual const CPlumoraDoc& document() const = 0;
  // The view's settings (chart axes, table columns, light...): they outlive a change of mode.
  virtual ResultsViewState& viewState() = 0;
  // The sample the animation shows, and whether it is playing.
  virtual int animationIndex() const = 0;
  virtual bool animationPlaying() const = 0;
  // The 2D canvas: its size, its scroll position (x in pixels, y in table rows) and scroll sizes.
  virtual QSize clientSize() const = 0;
  virtual QPoint scrollPosition() const = 0;
  virtual void SetScrollSizes(const ScrollSizes& sizes) = 0;
  virtual void SetScrollPosition(const QPoint& position) = 0;
  // Asks for a repaint of the pane, or of the part of it that changed.
  virtual void Repaint() = 0;
  virtual void RepaintArea(const QRect& area) = 0;
  // True when the pane should wear the red frame of the active pane (a pane that draws its own
  // surface draws the frame itself).
  virtual bool wearsActiveFrame() const = 0;
  // The parent of the pane's dialogs (its options).
  virtual QWidget* dialogParent() = 0;
  // The pictures the program loaded at start-up (empty until they are loaded).
  virtual const StartupBitmaps& bitmaps() const = 0;
  // The display lists and streaks of the 3D views on the screen; null without a screen (a
  // headless picture), when 3D panes draw off-screen.
  virtual GlResources* SceneResources() { return nullptr; }
  // The name of the mission the window shows, for printed pages (none where there is no window).
  virtual std::string missionTitle() const { return {}; }
};

// The chart's read-out at the mouse: the values of the X and Y variables (0 outside the chart).
struct PaneReadout {
  double x = 0.0;
  double y = 0.0;
};

class ResultsPane {
 public:
  explicit ResultsPane(PaneHost& host) : host_(host) {}
  virtual ~ResultsPane() = default;
  ResultsPane(const ResultsPane&) = delete;
  ResultsPane& operator=(const ResultsPane&) = delete;

  virtual DisplayMode mode() const = 0;

  // A widget of the pane's own (an OpenGL surface), shown instead of the view's 2D canvas; its
  // mouse events reach the pane through the view like the canvas's. Null: paint on the canvas.
  virtual QWidget* surface() { return nullptr; }

  // Paints the pane on the 2D canvas (or into a picture): client is the size in pixels. The
  // painter comes with the pane font set (PreparePanePainter).
  virtual void Paint(QPainter& painter, const QSize& client) = 0;
  // Prints one page. By default the page gets the picture of the pane at the page's shape.
  virtual void Print(QPrinter& printer);
  // The line at the top of a printed page: the mission, what the pane shows, today's date.
  std::string PrintHeader();
  // The pane as a picture of the given size, exactly as it would paint on the screen.
  virtual QImage Snapshot(const QSize& size);
  // The same picture as an SVG document: by default one holding the PNG of Snapshot; panes
  // drawn in lines and texts write those.
  virtual std::string SnapshotSvg(const QSize& size);

  // The mouse on the pane, in pane pixels (only while there are results).
  virtual PaneReadout MouseMove(const QPoint& /*pos*/, Qt::MouseButtons /*buttons*/) { return {}; }
  virtual void MousePress(const QPoint& /*pos*/, Qt::MouseButton /*button*/) {}
  virtual void MouseRelease(const QPoint& /*pos*/, Qt::MouseButton /*button*/) {}
  virtual void MouseDoubleClick(const QPoint& /*pos*/) {}
  // The wheel turned by angleDelta (eighths of a degree); false leaves it to the canvas, which
  // scrolls.
  virtual bool Wheel(int /*angleDelta*/) { return false; }

  // The animation moved to index (playing or not). While it is paused the view repaints the
  // pane after this.
  virtual void AnimationStep(int /*index*/, bool /*playing*/) {}
  // The results, the mode or the client size changed: set the scroll sizes the pane needs
  // (none by default).
  virtual void Layout();
  // Show > Options and the popup's Options: by default the options dialog of the pane's mode
  // (OptionsDialogs.h); the pane is laid out and repainted when the dialog changed what it shows.
  virtual void OptionsCommand();
  // Whether Edit > Copy has something to take, and what it puts on the clipboard.
  virtual bool CanCopy() const { return false; }
  virtual std::string CopyText() const { return {}; }
  // Edit > Select All: everything the pane can copy is chosen (the table's rows).
  virtual void SelectAll() {}
  // The animation bar's chart zoom buttons.
  virtual void ZoomToSelection() {}
  virtual void ResetZoom() {}

 protected:
  PaneHost& host() const { return host_; }
  // The document's results, with their derived quantities when withDerived: those are worked
  // out on the first need after the pane was last laid out, and kept until it is again.
  ResultsSource Results(bool withDerived) const;
  // New results: the derived quantities are worked out again when next needed.
  void ForgetDerived() { derived_.reset(); }

 private:
  PaneHost& host_;
  mutable std::optional<DerivedSeries> derived_;
};

// The font every pane paints with on the screen.
void PreparePanePainter(QPainter& painter);
QFont PaneFont();
// A picture as the bytes of a PNG file.
std::string PngBytes(const QImage& image);
// A font as an SVG document sets its texts.
SvgFont SvgFontOf(const QFont& font);

}  // namespace plumora::gui
