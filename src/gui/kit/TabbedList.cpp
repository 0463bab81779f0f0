#include "gui/kit/TabbedList.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "core/common/CodePage.h"
#include "gui/logic/editing/DialogUnits.h"

namespace plumora::gui {

namespace {

constexpr int kTextMargin = 3;  // pixels between a line's edge and its text

// Draws a line's fields at the list's tab stops.
class TabStopDelegate final : public QStyledItemDelegate {
 public:
  TabStopDelegate(const std::vector<int>& stops, QObject* parent)
      : QStyledItemDelegate(parent), stops_(stops) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem look = option;
    initStyleOption(&look, index);
    const QString text = look.text;
    look.text.clear();
    look.widget->style()->drawControl(QStyle::CE_ItemViewItem, &look, painter, look.widget);
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    QList<QTextOption::Tab> tabs;
    for (int stop : stops_) tabs.append(QTextOption::Tab(stop, QTextOption::LeftTab));
    layout.setTabs(tabs);
    layout.setWrapMode(QTextOption::NoWrap);
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRectF(option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0)), text, layout);
    painter->restore();
  }

 private:
  const std::vector<int>& stops_;
};

constexpr int kGap = 4;  // pixels between an item and the next column

// Places its children at fixed x positions, each as wide as it needs, all on one row.
class StopRow final : public QWidget {
 public:
  StopRow(const std::vector<QWidget*>& items, std::vector<int> lefts)
      : items_(items), lefts_(std::move(lefts)) {
    int height = 0;
    for (QWidget* item : items_) {
      item->setParent(this);
      height = std::max(height, item->sizeHint().height());
    }
    setFixedHeight(height);
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    for (std::size_t k = 0; k < items_.size(); ++k) {
      const QSize hint = items_[k]->sizeHint();
      // An item never reaches into the next column.
      const int room = k + 1 < items_.size() ? lefts_[k + 1] - lefts_[k] - kGap : hint.width();
      items_[k]->setGeometry(lefts_[k], (height() - hint.height()) / 2,
                             std::min(hint.width(), room), hint.height());
    }
  }

 private:
  std::vector<QWidget*> items_;
  std::vector<int> lefts_;
};

}  // namespace

DialogUnits UnitsOf(const QFontMetrics& metrics) {
  return DialogUnits(
      metrics.horizontalAdvance(QString::fromLatin1(
          kAverageWidthSample.data(), static_cast<qsizetype>(kAverageWidthSample.size()))),
      metrics.height());
}

TabbedList::TabbedList(std::span<const int> tabStopUnits, QWidget* parent)
    : QListWidget(parent), tabStops_(UnitsOf(fontMetrics()).TabStops(tabStopUnits)) {
  setItemDelegate(new TabStopDelegate(tabStops_, this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TabbedList::SetLines(const std::vector<std::string>& lines) {
  clear();
  for (const std::string& line : lines) addItem(ShownText(line));
  setCurrentRow(-1);
}

int TabbedList::selection() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? -1 : row(chosen.front());
}

int TabbedList::textLeft() const {
  return frameWidth() + kTextMargin;
}

QWidget* TabbedList::MakeHeadings(const std::vector<QWidget*>& items) {
  std::vector<int> lefts;
  for (std::size_t k = 0; k < items.size(); ++k) {
    lefts.push_back(textLeft() + (k == 0 ? 0 : tabStops_.at(k - 1)));
  }
  return new StopRow(items, std::move(lefts));
}

QString ShownText(const std::string& stored) {
  return QString::fromStdString(Windows1252ToUtf8(stored));
}

}  // namespace plumora::gui
