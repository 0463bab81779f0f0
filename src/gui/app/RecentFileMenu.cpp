#include "gui/app/RecentFileMenu.h"

#include <QAction>
#include <QSettings>

#include "gui/kit/CommandRouter.h"
#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

namespace {

const char* const kRecentGroup = "Recent File List";

QString EntryKey(int entry) {
  return QString("%1/File%2").arg(kRecentGroup).arg(entry + 1);
}

}  // namespace

RecentFileMenu::RecentFileMenu(CommandRouter& commands)
    : commands_(commands), files_(kRecentFileCount) {
  QSettings settings;
  std::vector<std::string> entries;
  for (int k = 0; k < kRecentFileCount; ++k) {
    entries.push_back(settings.value(EntryKey(k)).toString().toStdString());
  }
  files_.SetEntries(entries);
}

void RecentFileMenu::Update() {
  for (int k = 0; k < kRecentFileCount && k < count(); ++k) {
    if (QAction* action = commands_.Action(kCmdFileMru1 + k)) {
      action->setText(QString::fromStdString(files_.MenuText(k)));
    }
  }
  QSettings settings;
  const std::vector<std::string> entries = files_.Entries();
  for (int k = 0; k < kRecentFileCount; ++k) {
    if (k < static_cast<int>(entries.size())) {
      settings.setValue(EntryKey(k), QString::fromStdString(entries[static_cast<std::size_t>(k)]));
    } else {
      settings.remove(EntryKey(k));
    }
  }
}

}  // namespace plumora::gui
