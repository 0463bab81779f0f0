// A start-up picture as Qt draws it.
#pragma once

#include <QImage>

#include "gl/CDIB.h"

namespace plumora::gui {

// The bitmap as an RGB picture, top row first; a null picture for an empty bitmap.
QImage DibImage(const CDIB& dib);

}  // namespace plumora::gui
