// The mission windows in the main window's MDI area: new, opened and saved missions, the one the
// user works in, and the Window menu's list of them.
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "gui/logic/app/DocumentState.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace plumora {
class CPlumoraDoc;
class Mission;
}  // namespace plumora

namespace plumora::gui {

class CChildFrame;
class FrameHost;
class FrameServices;

class DocumentWindows {
 public:
  struct Hooks {
    std::function<void(QMdiSubWindow*)> activated;  // a new window is the active one
    std::function<void()> changed;                  // a file was opened or saved
  };
  DocumentWindows(QMdiArea& area, FrameHost& host, FrameServices& frame, RecentFileList& recent,
                  Hooks hooks);

  CChildFrame* New();
  // Opens the mission in a new window (or brings its window forward when it is open already);
  // null when it could not be read (the reason has been shown).
  CChildFrame* Open(const std::filesystem::path& path);
  // Asks for a mission file and opens it.
  void OpenAsk();
  // Saves under the document's file, or asks for one (always, with saveAs). False when nothing
  // was saved.
  bool Save(CChildFrame& child, bool saveAs);
  // Unsaved changes are saved, discarded, or keep the window open (false).
  bool QuerySave(CChildFrame& child);
  // Closes the windows one after the other; false when one of them stays open.
  bool CloseAll();

  // The window the commands are for: the active one, or while another top-level window has the
  // focus, the one that was active last.
  QMdiSubWindow* ActiveSubWindow() const;
  CChildFrame* ActiveChild() const;
  std::vector<CChildFrame*> Children() const;
  // An edit changed the mission: its window's title shows the mark.
  void MarkModified(CPlumoraDoc& doc);
  // An edit took the mission from `before` to what it is now: one step of the window's history.
  void RecordEdit(CPlumoraDoc& doc, const EditStep& step, const Mission& before);
  // Undoes the window's last step (or redoes the next): the mission comes back as that step
  // found (left) it, without results, and every view of it hears of it.
  void StepHistory(CChildFrame& child, bool redo);
  // The window of a mission file is closing: the desktop's settings keep its panes' modes and
  // settings for the next time the mission opens (a mission without a file keeps nothing).
  void RememberPanes(const CChildFrame& child);

  // The Window menu: one entry per window after the separator, the active one checked.
  void ListWindows(QMenu& menu, QAction* separator);

 private:
  CChildFrame* Add(std::unique_ptr<CPlumoraDoc> doc, DocumentState state);
  CChildFrame* ChildOf(const CPlumoraDoc& doc) const;

  QMdiArea& area_;
  FrameHost& host_;
  FrameServices& frame_;
  RecentFileList& recent_;
  Hooks hooks_;
  int nextUntitled_ = 1;
};

}  // namespace plumora::gui
