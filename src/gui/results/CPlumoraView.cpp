#include "gui/results/CPlumoraView.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "core/app/PlumoraDoc.h"
#include "gui/logic/results/PaneSettings.h"
#include "gui/results/FrameHost.h"
#include "gui/results/OptionsDialogs.h"
#include "gui/results/PaneFactory.h"

namespace plumora::gui {

namespace {
const QColor kActiveFrame(255, 0, 0);
const char* const kBlankPaneText =
    "This pane shows nothing: choose what it shows in the Show menu.";
constexpr int kBlankPageWidth = 2000;  // units across a blank pane's page
constexpr int kBlankPageFont = 40;     // units, the height of its line
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
  void mouseReleaseEvent(QMouseEvent* event) override {
    view_.MouseReleased(event->button(), event->position().toPoint());
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    view_.MouseDoubleClicked(event->position().toPoint());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    view_.MouseMoved(event->position().toPoint(), event->buttons());
  }
  void wheelEvent(QWheelEvent* event) override {
    if (!view_.WheelTurned(event->angleDelta().y())) QAbstractScrollArea::wheelEvent(event);
  }
  // Leaving the pane is a move outside it: the read-out goes back to 0, no cross-hair stays.
  void leaveEvent(QEvent*) override { view_.MouseMoved(QPoint(-1, -1), Qt::NoButton); }

 private:
  CPlumoraView& view_;
};

CPlumoraView::CPlumoraView(ViewFrame& frame, int column, int row, QWidget* parent)
    : QWidget(parent), frame_(frame), column_(column), row_(row) {
  stack_ = new QStackedWidget(this);
  canvas_ = new PaneCanvas(*this);
  stack_->addWidget(canvas_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(stack_);
  SetScrollSizes(kNeutralScrollSizes);
  state_.chartSwitches = RememberedChartSwitches();
}

CPlumoraView::~CPlumoraView() = default;

QAbstractScrollArea* CPlumoraView::canvas() const {
  return canvas_;
}

// --- PaneHost --------------------------------------------------------------------------------

const CPlumoraDoc& CPlumoraView::document() const {
  return frame_.doc();
}

int CPlumoraView::animationIndex() const {
  return frame_.host().AnimationIndex();
}

bool CPlumoraView::animationPlaying() const {
  return frame_.host().AnimationPlaying();
}

QSize CPlumoraView::clientSize() const {
  return canvas_->viewport()->size();
}

QPoint CPlumoraView::scrollPosition() const {
  return {canvas_->horizontalScrollBar()->value(), canvas_->verticalScrollBar()->value()};
}

void CPlumoraView::SetScrollSizes(const ScrollSizes& sizes) {
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

void CPlumoraView::SetScrollPosition(const QPoint& position) {
  canvas_->horizontalScrollBar()->setValue(position.x());
  canvas_->verticalScrollBar()->setValue(position.y());
}

void CPlumoraView::Repaint() {
  canvas_->viewport()->update();
  if (pane_ && pane_->surface()) pane_->surface()->update();
}

void CPlumoraView::RepaintArea(const QRect& area) {
  canvas_->viewport()->update(area);
}

const StartupBitmaps& CPlumoraView::bitmaps() const {
  return frame_.host().bitmaps();
}

GlResources* CPlumoraView::SceneResources() {
  return frame_.host().SceneResources();
}

bool CPlumoraView::wearsActiveFrame() const {
  // Only in the window the user works in: with tiled windows, one red frame tells which it is.
  return state_.active && frame_.IsActive();
}

// --- Modes -----------------------------------------------------------------------------------

bool CPlumoraView::HasResults() const {
  return !frozen_ && frame_.doc().results.LastIndex() >= 0;
}

void CPlumoraView::ToggleDisplayMode(DisplayMode mode) {
  if (state_.ToggleDisplayMode(mode)) SetScrollSizes(kNeutralScrollSizes);
  const DisplayMode now = state_.Mode();
  pane_ = nullptr;
  if (now != DisplayMode::kNone) {
    std::unique_ptr<ResultsPane>& slot = panes_[static_cast<std::size_t>(now)];
    if (!slot) {
      slot = MakePane(now, *this);
      if (QWidget* surface = slot->surface()) {
        stack_->addWidget(surface);
        surface->installEventFilter(this);
      }
    }
    pane_ = slot.get();
  }
  ShowPane();
  Relayout();
  Repaint();
}

bool CPlumoraView::CanCopy() const {
  return pane_ && !frozen_ && pane_->CanCopy();
}

void CPlumoraView::SelectAll() {
  if (pane_ && !frozen_) pane_->SelectAll();
}

std::string CPlumoraView::CopyText() const {
  return CanCopy() ? pane_->CopyText() : std::string();
}

std::string CPlumoraView::SettingsText() const {
  return PaneSettingsText(state_);
}

void CPlumoraView::RestoreSettings(std::string_view text) {
  // Over a new pane's settings, with the chart switches the program keeps, so that a setting
  // the text does not name is as in any new pane.
  ResultsViewState kept = state_;
  ReadPaneSettings(text, kept);
  const DisplayMode mode = kept.Mode();
  kept.modeFlags = state_.modeFlags;
  kept.active = state_.active;
  state_ = kept;
  if (mode != DisplayMode::kNone && mode != state_.Mode()) ToggleDisplayMode(mode);
}

void CPlumoraView::ShowPane() {
  QWidget* surface = pane_ ? pane_->surface() : nullptr;
  stack_->setCurrentWidget(surface ? surface : canvas_);
}

void CPlumoraView::Relayout() {
  if (!frozen_ && pane_) pane_->Layout();
}

void CPlumoraView::OptionsCommand() {
  if (pane_) pane_->OptionsCommand();
}

void CPlumoraView::SetActive(bool active) {
  if (state_.active == active) return;
  state_.active = active;
  Repaint();
}

void CPlumoraView::OnUpdate() {
  Relayout();
  Repaint();
}

void CPlumoraView::Freeze() {
  if (frozen_) return;
  QWidget* shown = stack_->currentWidget();
  frozenPicture_ = shown == canvas_ ? canvas_->viewport()->grab() : shown->grab();
  frozen_ = true;
  stack_->setCurrentWidget(canvas_);
  canvas_->viewport()->update();
}

void CPlumoraView::Thaw() {
  if (!frozen_) return;
  frozen_ = false;
  frozenPicture_ = QPixmap();
  ShowPane();
  OnUpdate();
}

void CPlumoraView::AnimationStep(int index, bool playing) {
  if (!pane_ || frozen_) return;
  pane_->AnimationStep(index, playing);
  // Paused, every pane shows the sample as a whole (the chart its solid cursor).
  if (!playing) Repaint();
}

void CPlumoraView::ZoomToSelection() {
  if (pane_) pane_->ZoomToSelection();
}

void CPlumoraView::ResetZoom() {
  if (pane_) pane_->ResetZoom();
}

void CPlumoraView::ClientResized() {
  if (pane_) {
    Relayout();
  } else {
    SetScrollSizes(kNeutralScrollSizes);
  }
}

// --- Painting and printing ---------------------------------------------------------------------

void CPlumoraView::Draw(QPainter& painter, const QSize& client) {
  if (frozen_) {
    painter.drawPixmap(0, 0, frozenPicture_);
    return;
  }
  PreparePanePainter(painter);
  if (pane_) pane_->Paint(painter, client);
  if (wearsActiveFrame()) {
    painter.setPen(QPen(kActiveFrame, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, client.width() - 1, client.height() - 1);
  }
}

std::string CPlumoraView::missionTitle() const {
  // The window around the view is titled with the mission's name ("[*]" marks unsaved changes).
  for (const QWidget* w = parentWidget(); w; w = w->parentWidget()) {
    if (!w->windowTitle().isEmpty()) return QString(w->windowTitle()).remove("[*]").toStdString();
  }
  return {};
}

void CPlumoraView::Print(QPrinter& printer) {
  if (frozen_) return;
  if (pane_) {
    pane_->Print(printer);
    return;
  }
  // A blank pane's page says so: no page at all would leave a preview showing whatever the
  // printer was last given.
  QPainter painter(&printer);
  if (!painter.isActive()) return;
  // A page of kBlankPageWidth units across, whatever the printer's resolution.
  const QRect device = painter.viewport();
  if (device.width() < 1 || device.height() < 1) return;
  const int height = kBlankPageWidth * device.height() / device.width();
  painter.setWindow(0, 0, kBlankPageWidth, height);
  QFont font("Arial");
  font.setPixelSize(kBlankPageFont);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, kBlankPageWidth, height),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, kBlankPaneText);
}

// --- Mouse -----------------------------------------------------------------------------------

void CPlumoraView::MousePressed(Qt::MouseButton button, const QPoint& pos) {
  frame_.SetActiveView(this);
  if (pane_) pane_->MousePress(pos, button);
  frame_.host().PaneCommandsChanged();
}

void CPlumoraView::contextMenuEvent(QContextMenuEvent* event) {
  // Every surface of the pane leaves this event to us, from the mouse or the keyboard alike. The
  // popup runs here rather than in the press handler, and what is chosen in it runs after it.
  frame_.SetActiveView(this);
  frame_.host().ShowPanePopup(*this, event->globalPos());
  event->accept();
}

void CPlumoraView::MouseReleased(Qt::MouseButton button, const QPoint& pos) {
  if (pane_) pane_->MouseRelease(pos, button);
}

void CPlumoraView::MouseDoubleClicked(const QPoint& pos) {
  if (pane_) pane_->MouseDoubleClick(pos);
  frame_.TogglePaneMaximised(*this);
}

void CPlumoraView::MouseMoved(const QPoint& pos, Qt::MouseButtons buttons) {
  if (!HasResults()) return;
  const PaneReadout readout = pane_ ? pane_->MouseMove(pos, buttons) : PaneReadout{};
  frame_.ShowReadout(AxisReadout(state_.chartX, readout.x), AxisReadout(state_.chartY, readout.y));
}

bool CPlumoraView::WheelTurned(int angleDelta) {
  return pane_ && !frozen_ && pane_->Wheel(angleDelta);
}

bool CPlumoraView::eventFilter(QObject* watched, QEvent* event) {
  // A pane's own surface hands its mouse over like the canvas does; the pane hears it from here.
  if (!pane_ || watched != pane_->surface()) return QWidget::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (type == QEvent::Wheel) {
    return WheelTurned(static_cast<QWheelEvent*>(event)->angleDelta().y()) ||
           QWidget::eventFilter(watched, event);
  }
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove) {
    return QWidget::eventFilter(watched, event);
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint pos = mouse->position().toPoint();
  if (type == QEvent::MouseButtonPress) {
    MousePressed(mouse->button(), pos);
  } else if (type == QEvent::MouseButtonRelease) {
    MouseReleased(mouse->button(), pos);
  } else if (type == QEvent::MouseButtonDblClick) {
    MouseDoubleClicked(pos);
  } else {
    MouseMoved(pos, mouse->buttons());
  }
  return true;
}

}  // namespace plumora::gui
