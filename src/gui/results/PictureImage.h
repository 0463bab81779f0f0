// The program's bitmaps as Qt images, for the panes that draw them.
#pragma once

#include <QImage>

#include "gl/CDIB.h"

namespace plumora::gui {

// The picture as an opaque image of its own size; a null image for an empty bitmap.
QImage ToImage(const CDIB& bitmap);

}  // namespace plumora::gui
