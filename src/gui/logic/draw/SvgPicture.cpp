#include "gui/logic/draw/SvgPicture.h"

#include <charconv>
#include <cstdio>

namespace plumora::gui {

namespace {

std::string Number(double value) {
  // The shortest text that reads back as the same double, whatever the locale.
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

std::string ColourText(Colour c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned{c.r}, unsigned{c.g}, unsigned{c.b});
  return text;
}

std::string Stroke(Colour colour, int penWidth) {
  return " fill=\"none\" stroke=\"" + ColourText(colour) + "\" stroke-width=\"" + Number(penWidth) +
         "\"";
}

}  // namespace

std::string XmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // Control characters have no place in XML 1.0; a blank stands in for them.
        out += (static_cast<unsigned char>(c) < 0x20 && c != '\t') ? ' ' : c;
    }
  }
  return out;
}

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
    if (left > 1) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (left > 2) value |= static_cast<unsigned char>(bytes[i + 2]);
    out += kDigits[(value >> 18) & 63];
    out += kDigits[(value >> 12) & 63];
    out += left > 1 ? kDigits[(value >> 6) & 63] : '=';
    out += left > 2 ? kDigits[value & 63] : '=';
  }
  return out;
}

SvgPicture::SvgPicture(int width, int height) : width_(width), height_(height) {}

void SvgPicture::Fill(const Rect& rect, Colour colour) {
  body_ += "<rect x=\"" + Number(rect.left) + "\" y=\"" + Number(rect.top) + "\" width=\"" +
           Number(rect.width) + "\" height=\"" + Number(rect.height) + "\" fill=\"" +
           ColourText(colour) + "\"/>\n";
}

void SvgPicture::Add(const std::vector<Segment>& segments, int penWidth) {
  for (const Segment& s : segments) {
    body_ += "<line x1=\"" + Number(s.from.x) + "\" y1=\"" + Number(s.from.y) + "\" x2=\"" +
             Number(s.to.x) + "\" y2=\"" + Number(s.to.y) + "\"" + Stroke(s.colour, penWidth) +
             "/>\n";
  }
}

void SvgPicture::Add(const std::vector<Polyline>& lines, int penWidth, bool dotted) {
  for (const Polyline& line : lines) {
    if (line.points.empty()) continue;
    body_ += "<polyline points=\"";
    for (std::size_t k = 0; k < line.points.size(); ++k) {
      if (k > 0) body_ += ' ';
      body_ += Number(line.points[k].x) + "," + Number(line.points[k].y);
    }
    body_ += "\"" + Stroke(line.colour, penWidth);
    if (dotted) body_ += " stroke-dasharray=\"" + Number(penWidth) + "\"";
    body_ += "/>\n";
  }
}

void SvgPicture::Add(const std::vector<AnchoredText>& texts, const SvgFont& font) {
  for (const AnchoredText& t : texts) {
    const char* align = "start";
    bool top = true;
    bool middle = false;
    switch (t.anchor) {
      case Anchor::kLeftTop:
        break;
      case Anchor::kCentreTop:
        align = "middle";
        break;
      case Anchor::kRightTop:
        align = "end";
        break;
      case Anchor::kLeftBottom:
        top = false;
        break;
      case Anchor::kCentreBottom:
        align = "middle";
        top = false;
        break;
      case Anchor::kRightBottom:
        align = "end";
        top = false;
        break;
      case Anchor::kRightMiddle:
        align = "end";
        middle = true;
        break;
    }
    // The baseline: an ascent below a top edge, a descent above a bottom one, and halfway
    // between the two about a middle.
    const double baseline = middle ? t.at.y + (font.ascent - font.descent) / 2.0
                            : top  ? t.at.y + font.ascent
                                   : t.at.y - font.descent;
    body_ += "<text x=\"" + Number(t.at.x) + "\" y=\"" + Number(baseline) + "\" text-anchor=\"" +
             align + "\" font-family=\"" + XmlEscaped(font.family) + "\" font-size=\"" +
             Number(font.pixelSize) + "\" fill=\"" + ColourText(t.colour) +
             "\" xml:space=\"preserve\">" + XmlEscaped(t.text) + "</text>\n";
  }
}

void SvgPicture::AddPng(const Rect& rect, std::string_view pngBytes) {
  body_ += "<image x=\"" + Number(rect.left) + "\" y=\"" + Number(rect.top) + "\" width=\"" +
           Number(rect.width) + "\" height=\"" + Number(rect.height) +
           "\" preserveAspectRatio=\"none\" href=\"data:image/png;base64," + Base64(pngBytes) +
           "\"/>\n";
}

std::string SvgPicture::Text() const {
  const std::string w = Number(width_);
  const std::string h = Number(height_);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
         w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n" + body_ + "</svg>\n";
}

}  // namespace plumora::gui
