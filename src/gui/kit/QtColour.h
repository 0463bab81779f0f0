// A colour decided without Qt, as Qt paints it.
#pragma once

#include <QColor>

#include "gui/logic/draw/Drawing.h"

namespace plumora::gui {

inline QColor ToQColor(Colour colour) {
  return QColor(colour.r, colour.g, colour.b);
}

}  // namespace plumora::gui
