// What a command handler may reach of the main window: the mission and the pane the user works
// in, and the services every window of the program shares. The main window implements both; the
// binders and dialogs of the results, editing and viewer folders see only these.
#pragma once

#include <filesystem>

#include "core/common/Prompter.h"
#include "gui/logic/snapshot/StartupBitmaps.h"

class QWidget;

namespace plumora {
class CPlumoraDoc;
class Mission;
}  // namespace plumora

namespace plumora::gui {

struct EditStep;

class CommandRouter;
class GlResources;

// The main window's services that any window inside it may ask for.
class FrameServices {
 public:
  virtual ~FrameServices() = default;

  // Who answers the program's questions and shows its messages.
  virtual Prompter& prompter() const = 0;
  // The folder of the run-time data (atm/, adf/, 3dmodels/, graphics/), fixed at start-up.
  virtual const std::filesystem::path& baseFolder() const = 0;
  // The pictures the program loaded at start-up.
  virtual const StartupBitmaps& bitmaps() const = 0;
  // The display lists and streaks every 3D view draws with; null where there are none.
  virtual GlResources* SceneResources() = 0;
  // The window the dialogs of a command belong to.
  virtual QWidget* dialogParent() = 0;

  // The services of the main window that `from` lives in, found from it upwards, or among the
  // top-level windows for a window without a parent; null when there is no main window.
  static FrameServices* Find(QWidget* from);
};

class CommandContext : public FrameServices {
 public:
  // Where the handlers are bound.
  virtual CommandRouter& commands() = 0;
  // The mission of the document window the user works in; null when none is open.
  virtual CPlumoraDoc* ActiveDocument() const = 0;
  // The view of that window's active pane; null when there is none.
  virtual QWidget* ActiveView() const = 0;
  // An edit changed the mission in a way Undo cannot take back: its window's title shows the
  // mark and closing asks to save.
  virtual void MarkModified(CPlumoraDoc& doc) = 0;
  // An edit took the mission from `before` to what it holds now: one step for Edit > Undo, and
  // the mark in its window's title. An edit that changed nothing is no step.
  virtual void RecordEdit(CPlumoraDoc& doc, const EditStep& step, const Mission& before) = 0;
  // True while a mission runs: its results are not to be read then.
  virtual bool running() const = 0;
};

}  // namespace plumora::gui
