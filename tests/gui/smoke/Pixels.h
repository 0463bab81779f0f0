// Counting pixels in the pictures the desktop program draws.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include "gui/logic/draw/Drawing.h"

namespace plumora::gui::smoke {

// A colour of the drawings as a pixel shows it.
inline QColor Of(Colour c) {
  return QColor(c.r, c.g, c.b);
}

// The pixels of `picture` inside `box` (the whole picture when none is given) that pass `test`.
template <class Test>
int Count(const QImage& picture, Test test, QRect box = {}) {
  if (box.isNull()) box = picture.rect();
  int n = 0;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) n += test(picture.pixelColor(x, y));
  }
  return n;
}

// The pixels of exactly one colour.
inline int Count(const QImage& picture, const QColor& colour, QRect box = {}) {
  return Count(
      picture, [&colour](const QColor& c) { return c == colour; }, box);
}

// The red of the labels and canopies, lit or smoothed.
inline bool Red(const QColor& c) {
  return c.red() > 150 && c.green() < 80 && c.blue() < 80;
}

}  // namespace plumora::gui::smoke
