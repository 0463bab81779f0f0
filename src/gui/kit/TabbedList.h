// A list box whose lines are tab-separated fields, each field starting at the next tab stop, the
// stops given in dialog units of the list's font. Above it, headings and buttons can stand at the
// same stops.
#pragma once

#include <QListWidget>
#include <span>
#include <string>
#include <vector>

class QFontMetrics;

namespace plumora::gui {

class DialogUnits;

// The dialog units of a font.
DialogUnits UnitsOf(const QFontMetrics& metrics);

class TabbedList : public QListWidget {
 public:
  TabbedList(std::span<const int> tabStopUnits, QWidget* parent = nullptr);

  // Lines as a mission stores its texts (Windows-1252 bytes). The selection is cleared.
  void SetLines(const std::vector<std::string>& lines);
  // The selected line, or -1.
  int selection() const;
  // Tab stops in pixels from the left edge of a line's text.
  const std::vector<int>& tabStops() const { return tabStops_; }
  // Where a line's text starts, in the list's own coordinates.
  int textLeft() const;

  // A row of widgets for above the list: the first at the start of the text, each next one at
  // the next tab stop.
  QWidget* MakeHeadings(const std::vector<QWidget*>& items);

 private:
  std::vector<int> tabStops_;
};

// A mission's stored text for the screen.
QString ShownText(const std::string& stored);

}  // namespace plumora::gui
