#include "gui/results/CPlumoraView.h"

#include <QAbstractScrollArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app/PlumoraDoc.h"
#include "gui/app/QtPrompter.h"
#include "gui/editing/CChildFrame.h"

namespace plumora::gui {

namespace {

constexpr int kScreenFontPixels = 14;
constexpr int kPrintFontHeight = 40;  // tenths of a millimetre
const QColor kActiveFrame(255, 0, 0);

QColor ToQColor(Colour c) {
  return QColor(c.r, c.g, c.b);
}

}  // namespace

// The 2D surface: a scrolling canvas that hands painting and the mouse to its view.
class PaneCanvas final : public QAbstractScrollArea {
 public:
  explicit PaneCanvas(CPlumoraView& view) : view_(view) {
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(palette);
    setFrameShape(QFrame::NoFrame);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(viewport());
    view_.Draw(painter, viewport()->size());
  }
  void scrollContentsBy(int, int) override { viewport()->update(); }
  void resizeEvent(QResizeEvent* event) override {
    QAbstractScrollArea::resizeEvent(event);
    view_.ClientResized();
  }
  void mousePressEvent(QMouseEvent* event) override {
    view_.MousePressed(event->button(), event->position().toPoint());
  }
  void mouseDoubleClickEvent(QMouseEvent*) override { view_.MouseDoubleClicked(); }
  void mouseMoveEvent(QMouseEvent*) override { view_.MouseMoved(); }

 private:
  CPlumoraView& view_;
};

CPlumoraView::CPlumoraView(CChildFrame& frame, int column, int row, QWidget* parent)
    : QWidget(parent), frame_(frame), column_(column), row_(row) {
  stack_ = new QStackedWidget(this);
  canvas_ = new PaneCanvas(*this);
  stack_->addWidget(canvas_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(stack_);
  ApplyScrollSizes(kNeutralScrollSizes);
}

CPlumoraView::~CPlumoraView() = default;

QAbstractScrollArea* CPlumoraView::canvas() const {
  return canvas_;
}

const CTrajectoryStore& CPlumoraView::store() const {
  return frame_.doc().results;
}

bool CPlumoraView::HasResults() const {
  return !frozen_ && store().LastIndex() >= 0;
}

void CPlumoraView::OnCommand(int commandId) {
  const std::optional<DisplayMode> mode = ModeOfCommand(commandId);
  if (!mode) return;
  if (state_.ToggleDisplayMode(*mode)) {
    ApplyScrollSizes(kNeutralScrollSizes);
  } else {
    UpdateScrollSizes();
  }
  canvas_->viewport()->update();
}

void CPlumoraView::SetActive(bool active) {
  if (state_.active == active) return;
  state_.active = active;
  canvas_->viewport()->update();
}

void CPlumoraView::OnUpdate() {
  UpdateScrollSizes();
  canvas_->viewport()->update();
}

void CPlumoraView::Freeze() {
  if (frozen_) return;
  frozenPicture_ = canvas_->viewport()->grab();
  frozen_ = true;
}

void CPlumoraView::Thaw() {
  if (!frozen_) return;
  frozen_ = false;
  frozenPicture_ = QPixmap();
  OnUpdate();
}

void CPlumoraView::ApplyScrollSizes(const ScrollSizes& sizes) {
  const QSize client = canvas_->viewport()->size();
  QScrollBar* h = canvas_->horizontalScrollBar();
  QScrollBar* v = canvas_->verticalScrollBar();
  // The vertical sizes count rows and the client height pixels, as the table has always mixed
  // them: the largest position is the last sample.
  h->setRange(0, std::max(0, sizes.totalWidth - client.width()));
  h->setPageStep(std::max(1, sizes.pageWidth));
  h->setSingleStep(std::max(1, sizes.lineWidth));
  v->setRange(0, std::max(0, sizes.totalHeight - client.height()));
  v->setPageStep(std::max(1, sizes.pageHeight));
  v->setSingleStep(std::max(1, sizes.lineHeight));
}

void CPlumoraView::UpdateScrollSizes() {
  if (frozen_ || state_.Mode() != DisplayMode::kTable) return;
  const std::optional<ScrollSizes> sizes =
      TableScrollSizes(store().LastIndex(), canvas_->viewport()->height(), state_.shownColumnCount);
  if (sizes) ApplyScrollSizes(*sizes);
}

void CPlumoraView::ClientResized() {
  if (state_.Mode() == DisplayMode::kTable) {
    UpdateScrollSizes();
  } else {
    ApplyScrollSizes(kNeutralScrollSizes);
  }
}

TableDrawing CPlumoraView::CurrentTable() const {
  const QSize client = canvas_->viewport()->size();
  return LayoutTable(
      store(), state_.columnSwitches, ScreenTableGeometry(client.width(), client.height()),
      canvas_->horizontalScrollBar()->value(), canvas_->verticalScrollBar()->value());
}

void PaintTable(QPainter& painter, const TableDrawing& drawing, const TableGeometry& geometry) {
  if (drawing.fillBackground) {
    painter.fillRect(QRect(0, 0, geometry.areaWidth, geometry.areaHeight),
                     ToQColor(kTableBackground));
  }
  const int w = geometry.columnWidth;
  const int h = geometry.rowHeight;
  for (const TableText& t : drawing.texts) {
    painter.setPen(ToQColor(t.colour));
    const QString text = QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size()));
    if (t.align == TextAlign::kCentreTop) {
      painter.drawText(QRect(t.x - w / 2, t.y, w, h),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
    } else {
      painter.drawText(QRect(t.x, t.y, 10 * w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                       text);
    }
  }
}

void CPlumoraView::Draw(QPainter& painter, const QSize& client) {
  if (frozen_) {
    painter.drawPixmap(0, 0, frozenPicture_);
    return;
  }
  QFont font("Arial");
  font.setPixelSize(kScreenFontPixels);
  painter.setFont(font);
  if (state_.Mode() == DisplayMode::kTable) {
    PaintTable(painter, CurrentTable(), ScreenTableGeometry(client.width(), client.height()));
  }
  // Chart, map and 3D modes are drawn by their own routines; until then the pane stays blank.
  if (state_.active) {
    painter.setPen(QPen(kActiveFrame, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, client.width() - 1, client.height() - 1);
  }
}

void CPlumoraView::Print(QPrinter& printer) {
  QPainter painter(&printer);
  if (!painter.isActive()) return;
  // One logical unit is a tenth of a millimetre of the printable area.
  const QRectF millimetres = printer.pageRect(QPrinter::Millimeter);
  const QRectF pixels = printer.pageRect(QPrinter::DevicePixel);
  const TableGeometry geometry = PrintTableGeometry(millimetres.width(), millimetres.height());
  painter.setWindow(0, 0, geometry.areaWidth, geometry.areaHeight);
  painter.setViewport(0, 0, static_cast<int>(pixels.width()), static_cast<int>(pixels.height()));
  QFont font("Arial");
  font.setPixelSize(kPrintFontHeight);
  painter.setFont(font);
  if (state_.Mode() == DisplayMode::kTable && !frozen_) {
    PaintTable(painter,
               LayoutTable(store(), state_.columnSwitches, geometry, 0,
                           canvas_->verticalScrollBar()->value()),
               geometry);
  }
}

void CPlumoraView::MousePressed(Qt::MouseButton button, const QPoint& pos) {
  frame_.SetActiveView(this);
  if (button == Qt::RightButton) ShowPopup(pos);
}

void CPlumoraView::MouseDoubleClicked() {
  frame_.TogglePaneMaximised(*this);
}

void CPlumoraView::MouseMoved() {
  if (!HasResults()) return;
  // Outside the chart there is no read-out: both axes show 0.
  frame_.ShowReadout(AxisReadout(state_.chartX, 0.0), AxisReadout(state_.chartY, 0.0));
}

void CPlumoraView::ShowPopup(const QPoint& pos) {
  QMenu menu(this);
  const bool results = HasResults();
  for (const ModeCommand& c : kModeCommands) {
    QAction* action = menu.addAction(ToQString(c.text));
    const MenuItemState item = PopupMenuState(c.popupId, state_, results);
    action->setCheckable(true);
    action->setChecked(item.checked);
    action->setEnabled(item.enabled);
    action->setData(c.popupId);
    action->setStatusTip(ToQString(StatusPrompt(c.popupId)));
  }
  QAction* chosen = menu.exec(canvas_->viewport()->mapToGlobal(pos));
  if (chosen) OnCommand(chosen->data().toInt());
}

}  // namespace plumora::gui
