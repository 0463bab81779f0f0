// A picture in the drawing vocabulary written out as an SVG document: fills, lines, texts and
// embedded PNG pictures, in the order they are added (later ones over earlier ones), in the
// drawing's own units with one unit a pixel of the picture.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gui/logic/draw/Drawing.h"

namespace plumora::gui {

// The font texts are set in: its family, its size (the em) and how far its letters reach above
// and below the baseline, all in the drawing's units, so that an anchored text stands where the
// screen draws it.
struct SvgFont {
  std::string family = "Arial";
  double pixelSize = 14.0;
  double ascent = 13.0;
  double descent = 3.0;
};

class SvgPicture {
 public:
  SvgPicture(int width, int height);

  void Fill(const Rect& rect, Colour colour);
  void Add(const std::vector<Segment>& segments, int penWidth = 1);
  void Add(const std::vector<Polyline>& lines, int penWidth = 1, bool dotted = false);
  void Add(const std::vector<AnchoredText>& texts, const SvgFont& font);
  // A PNG picture stretched over rect.
  void AddPng(const Rect& rect, std::string_view pngBytes);

  // The whole document, UTF-8.
  std::string Text() const;

 private:
  int width_;
  int height_;
  std::string body_;
};

// Text as it may stand in XML character data or an attribute value.
std::string XmlEscaped(std::string_view text);
// RFC 4648 base64, with padding.
std::string Base64(std::string_view bytes);

}  // namespace plumora::gui
