#include "gui/kit/CommandRouter.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "gui/kit/Artwork.h"
#include "gui/kit/QtPrompter.h"

namespace plumora::gui {

CommandRouter::CommandRouter(QObject* owner, StateSource state)
    : owner_(owner), state_(std::move(state)) {}

void CommandRouter::Bind(int commandId, Handler handler) {
  handlers_[commandId] = std::move(handler);
}

bool CommandRouter::IsBound(int commandId) const {
  return handlers_.count(commandId) > 0;
}

namespace {
// A command's menu item, not yet connected to anything.
QAction* NewAction(const CommandRow& row, QObject* parent) {
  auto* action = new QAction(ToQString(row.text), parent);
  action->setData(row.id);
  action->setCheckable(row.checkable);
  action->setStatusTip(ToQString(row.prompt));
  if (!row.shortcut.empty()) action->setShortcut(QKeySequence(ToQString(row.shortcut)));
  return action;
}
}  // namespace

QAction* CommandRouter::MakeAction(const CommandRow& row, QObject* parent) {
  QAction* action = NewAction(row, parent);
  const int id = row.id;
  QObject::connect(action, &QAction::triggered, owner_, [this, id] { Invoke(id); });
  return action;
}

void CommandRouter::BuildMenuBar(QMenuBar& bar) {
  for (const MenuTitle& title : kMenuBar) {
    QMenu* menu = bar.addMenu(ToQString(title.title));
    menus_[title.menu] = menu;
    QObject::connect(menu, &QMenu::aboutToShow, owner_, [this] { Refresh(); });
    int group = -1;
    for (const CommandRow& row : CommandTable()) {
      if (row.menu != title.menu || !IsBound(row.id)) continue;
      if (group >= 0 && row.group != group) menu->addSeparator();
      group = row.group;
      QAction* action = MakeAction(row, owner_);
      menu->addAction(action);
      actions_[row.id] = action;
    }
    // A menu none of whose commands is bound here is not offered at all.
    menu->menuAction()->setVisible(group >= 0);
  }
  Refresh();
}

void CommandRouter::BuildToolBar(QToolBar& bar) {
  for (const CommandRow& row : CommandTable()) {
    if (row.picture == Artwork::kNone) continue;
    QAction* action = Action(row.id);
    if (!action) continue;
    action->setIcon(ArtworkIcon(row.picture));
    action->setToolTip(QString::fromStdString(ToolTipText(row.text)));
    bar.addAction(action);
  }
}

void CommandRouter::AttachButton(int commandId, QAbstractButton* button) {
  buttons_.emplace(commandId, button);
  QObject::connect(button, &QAbstractButton::clicked, owner_,
                   [this, commandId] { Invoke(commandId); });
  Refresh();
}

void CommandRouter::ExecPopup(QWidget* parent, const QPoint& globalPos, const CommandState& state) {
  QMenu popup(parent);
  int group = -1;
  for (const CommandRow& row : CommandTable()) {
    if (row.menu != CommandMenu::kPopup || !IsBound(row.id)) continue;
    if (group >= 0 && row.group != group) popup.addSeparator();
    group = row.group;
    QAction* action = NewAction(row, &popup);
    Apply(action, Evaluate(row, state));
    popup.addAction(action);
  }
  const QAction* chosen = popup.exec(globalPos);
  if (!chosen) return;
  // The choice runs once the event that opened the popup is over: a change of display mode can
  // give the window its first OpenGL view, and Qt then replaces the window's native window under
  // whatever handler is still on the stack.
  const int id = chosen->data().toInt();
  QMetaObject::invokeMethod(
      owner_, [this, id] { Invoke(id); }, Qt::QueuedConnection);
}

QMenu* CommandRouter::Menu(CommandMenu menu) const {
  const auto it = menus_.find(menu);
  return it == menus_.end() ? nullptr : it->second;
}

QAction* CommandRouter::Action(int commandId) const {
  const auto it = actions_.find(commandId);
  return it == actions_.end() ? nullptr : it->second;
}

void CommandRouter::Apply(QAction* action, const MenuItemState& look) {
  action->setEnabled(look.enabled);
  action->setVisible(look.visible);
  if (action->isCheckable()) action->setChecked(look.checked);
}

void CommandRouter::Refresh() {
  const CommandState state = state_();
  for (const auto& [id, action] : actions_) {
    const CommandRow& row = *FindCommand(id);
    Apply(action, Evaluate(row, state));
    if (const std::optional<std::string> text = CurrentText(row, state)) {
      action->setText(ToQString(*text));
    }
  }
  for (const auto& [id, button] : buttons_) {
    const CommandRow* row = FindCommand(id);
    button->setEnabled(row && IsBound(id) && Evaluate(*row, state).enabled);
  }
}

bool CommandRouter::Invoke(int commandId) {
  const CommandRow* row = FindCommand(commandId);
  const auto handler = handlers_.find(commandId);
  if (!row || handler == handlers_.end() || !Evaluate(*row, state_()).enabled) return false;
  // The handler may rebind or close windows: run a copy.
  const Handler run = handler->second;
  run();
  Refresh();
  return true;
}

}  // namespace plumora::gui
