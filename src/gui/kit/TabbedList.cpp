#include "gui/kit/TabbedList.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "core/common/CodePage.h"
#include "gui/logic/editing/DialogUnits.h"
#include "gui/logic/editing/FormColumns.h"

namespace plumora::gui {

namespace {

constexpr int kTextMargin = 3;  // pixels between a line's edge and its text
constexpr int kColumnGap = 8;   // pixels at least between a column's longest text and the next

// The widths of a line's tab-separated fields in the font.
std::vector<int> FieldWidths(const QFontMetrics& metrics, const QString& line) {
  std::vector<int> widths;
  for (const QString& field : line.split('\t')) widths.push_back(metrics.horizontalAdvance(field));
  return widths;
}

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

  // As wide as the line's fields at the stops, so that the list scrolls to a long one.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    size.setWidth(2 * kTextMargin + LineWidth(stops_, FieldWidths(option.fontMetrics, text)));
    return size;
  }

 private:
  const std::vector<int>& stops_;
};

constexpr int kGap = 4;  // pixels between an item and the next column

}  // namespace

// Places its children at the list's tab stops, each as wide as it needs, all on one row, moved
// along with the list's lines when they scroll sideways.
class TabbedList::StopRow final : public QWidget {
 public:
  StopRow(const std::vector<QWidget*>& items, const TabbedList& list) : items_(items), list_(list) {
    int height = 0;
    for (QWidget* item : items_) {
      item->setParent(this);
      height = std::max(height, item->sizeHint().height());
    }
    setFixedHeight(height);
  }

 protected:
  void resizeEvent(QResizeEvent*) override { Place(); }

 public:
  void Place() {
    const std::vector<int>& stops = list_.tabStops();
    const int shift = list_.textLeft() - list_.horizontalScrollBar()->value();
    const auto left = [&](std::size_t k) {
      return shift + (k == 0 ? 0 : stops.at(std::min(k - 1, stops.size() - 1)));
    };
    for (std::size_t k = 0; k < items_.size(); ++k) {
      const QSize hint = items_[k]->sizeHint();
      // An item never reaches into the next column.
      const int room = k + 1 < items_.size() ? left(k + 1) - left(k) - kGap : hint.width();
      items_[k]->setGeometry(left(k), (height() - hint.height()) / 2, std::min(hint.width(), room),
                             hint.height());
    }
  }

 private:
  std::vector<QWidget*> items_;
  const TabbedList& list_;
};

DialogUnits UnitsOf(const QFontMetrics& metrics) {
  return DialogUnits(
      metrics.horizontalAdvance(QString::fromLatin1(
          kAverageWidthSample.data(), static_cast<qsizetype>(kAverageWidthSample.size()))),
      metrics.height());
}

TabbedList::TabbedList(std::span<const int> tabStopUnits, QWidget* parent)
    : QListWidget(parent),
      askedStops_(UnitsOf(fontMetrics()).TabStops(tabStopUnits)),
      tabStops_(askedStops_) {
  setItemDelegate(new TabStopDelegate(tabStops_, this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  // A line longer than the list is scrolled to, the headings along with it.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  connect(model(), &QAbstractItemModel::rowsInserted, this, &TabbedList::FitColumns);
  connect(model(), &QAbstractItemModel::rowsRemoved, this, &TabbedList::FitColumns);
  connect(model(), &QAbstractItemModel::modelReset, this, &TabbedList::FitColumns);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    if (headings_) headings_->Place();
  });
}

TabbedList::~TabbedList() {
  // The list's items go after this part of it: their removal no longer fits any column.
  disconnect(model(), nullptr, this, nullptr);
}

void TabbedList::FitColumns() {
  std::vector<std::vector<int>> widths;
  for (int k = 0; k < count(); ++k) widths.push_back(FieldWidths(fontMetrics(), item(k)->text()));
  const std::vector<int> fitted = FittedTabStops(askedStops_, widths, kColumnGap);
  if (fitted == tabStops_) return;
  tabStops_ = fitted;  // the delegate reads them where they are
  if (headings_) headings_->Place();
  scheduleDelayedItemsLayout();
  viewport()->update();
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
  headings_ = new StopRow(items, *this);
  return headings_;
}

QString ShownText(const std::string& stored) {
  return QString::fromStdString(Windows1252ToUtf8(stored));
}

}  // namespace plumora::gui
