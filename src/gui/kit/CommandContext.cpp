#include "gui/kit/CommandContext.h"

#include <QApplication>
#include <QWidget>

namespace plumora::gui {

FrameServices* FrameServices::Find(QWidget* from) {
  for (QWidget* w = from; w; w = w->parentWidget()) {
    if (auto* services = dynamic_cast<FrameServices*>(w)) return services;
  }
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* services = dynamic_cast<FrameServices*>(w)) return services;
  }
  return nullptr;
}

}  // namespace plumora::gui
