// The commands on the Qt side: the menu bar, the toolbar, the panes' popup and the bar buttons are
// built from the command table, their look is refreshed from its rules, and each id runs the
// handler bound to it. A command whose handler is not bound yet is left out of every menu.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <map>

#include "gui/logic/commands/CommandTable.h"

class QAbstractButton;
class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace plumora::gui {

class CommandRouter {
 public:
  using Handler = std::function<void()>;
  using StateSource = std::function<CommandState()>;

  // owner: parent of the actions; state: the state the rules look at now.
  CommandRouter(QObject* owner, StateSource state);

  // Binds the handler of a command; bind before building the menus.
  void Bind(int commandId, Handler handler);
  bool IsBound(int commandId) const;

  void BuildMenuBar(QMenuBar& bar);
  void BuildToolBar(QToolBar& bar);
  // A bar's button runs the command and follows its rule.
  void AttachButton(int commandId, QAbstractButton* button);
  // The right-button popup of a pane whose state is given, at a screen position.
  void ExecPopup(QWidget* parent, const QPoint& globalPos, const CommandState& state);

  QMenu* Menu(CommandMenu menu) const;
  QAction* Action(int commandId) const;

  // Brings the look of every item and button up to date.
  void Refresh();
  // Runs the command as its menu item would: false when it has no handler or is disabled now.
  bool Invoke(int commandId);

 private:
  QAction* MakeAction(const CommandRow& row, QObject* parent);
  static void Apply(QAction* action, const MenuItemState& look);

  QObject* owner_;
  StateSource state_;
  std::map<int, Handler> handlers_;
  std::map<int, QAction*> actions_;
  std::map<CommandMenu, QMenu*> menus_;
  std::multimap<int, QAbstractButton*> buttons_;
};

}  // namespace plumora::gui
