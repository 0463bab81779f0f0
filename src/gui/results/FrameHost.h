// What a document window needs of the main window, and no more: the window's own class stays out
// of the document windows and their panes.
#pragma once

#include <QPoint>
#include <QString>

#include "gui/logic/snapshot/StartupBitmaps.h"

namespace plumora::gui {

class CChildFrame;
class CPlumoraView;
class GlResources;

class FrameHost {
 public:
  virtual ~FrameHost() = default;

  // Before a document with unsaved changes closes: save, discard or keep it open (false).
  virtual bool QuerySaveDocument(CChildFrame& child) = 0;
  // The document's results were replaced or emptied.
  virtual void DocumentResultsChanged(CChildFrame& child) = 0;
  // The document's name or phase list changed.
  virtual void DocumentPlanChanged(CChildFrame& child) = 0;
  // The window is going: nothing may refer to its document any more.
  virtual void DocumentClosing(CChildFrame& child) = 0;
  // True for the window the user works in (its active pane wears the red frame).
  virtual bool IsActiveFrame(const CChildFrame& child) const = 0;

  // The sample the animation shows, and whether it is playing.
  virtual int AnimationIndex() const = 0;
  virtual bool AnimationPlaying() const = 0;

  // The mouse read-out of a pane, for the status bar.
  virtual void ShowReadout(const QString& x, const QString& y) = 0;
  // The right-button popup of a pane at a screen position; its commands act on that pane.
  virtual void ShowPanePopup(CPlumoraView& view, const QPoint& globalPos) = 0;
  // The pictures the program loaded at start-up.
  virtual const StartupBitmaps& bitmaps() const = 0;
  // The display lists and streaks every 3D view draws with; null where there are none.
  virtual GlResources* SceneResources() { return nullptr; }
  // A click changed what the commands act on (the active pane, the rows selected in a table):
  // their menu items and shortcuts are enabled anew.
  virtual void PaneCommandsChanged() {}
};

}  // namespace plumora::gui
