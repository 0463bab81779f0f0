#include "gui/results/CChildFrame.h"

#include <QCloseEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include "gui/kit/QtPrompter.h"
#include "gui/results/CPlumoraView.h"
#include "gui/results/FrameHost.h"

namespace plumora::gui {

CChildFrame::CChildFrame(FrameHost& host, std::unique_ptr<CPlumoraDoc> doc, DocumentState state)
    : host_(host), doc_(std::move(doc)), state_(std::move(state)) {
  rows_ = new QSplitter(Qt::Vertical, this);
  for (int row = 0; row < 2; ++row) {
    QSplitter* columns = new QSplitter(Qt::Horizontal, rows_);
    columns_[static_cast<std::size_t>(row)] = columns;
    for (int column = 0; column < 2; ++column) {
      auto* view = new CPlumoraView(*this, column, row, columns);
      views_[static_cast<std::size_t>(2 * row + column)] = view;
      columns->addWidget(view);
    }
    columns->setChildrenCollapsible(true);
    connect(columns, &QSplitter::splitterMoved, this, [this, columns] { SyncColumns(columns); });
  }
  rows_->setChildrenCollapsible(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(rows_);
  observer_ = std::make_unique<MarshallingObserver>(static_cast<DocumentObserver&>(*this),
                                                    GuiInvoker(this));
  doc_->AddObserver(observer_.get());
  SetActiveView(views_[0]);
  UpdateTitle();
}

CChildFrame::~CChildFrame() {
  doc_->RemoveObserver(observer_.get());
  host_.DocumentClosing(*this);
}

void CChildFrame::UpdateTitle() {
  setWindowTitle(QString::fromStdString(state_.Title()) + "[*]");
  setWindowModified(state_.modified());
}

bool CChildFrame::IsActive() const {
  return host_.IsActiveFrame(*this);
}

void CChildFrame::SetActiveView(CPlumoraView* view) {
  if (activeView_ == view) return;
  if (activeView_) activeView_->SetActive(false);
  activeView_ = view;
  if (activeView_) activeView_->SetActive(true);
}

PaneSplit CChildFrame::CurrentSplit() const {
  return {columns_[0]->sizes().value(0), rows_->sizes().value(0)};
}

void CChildFrame::ApplySplit(const PaneSplit& split) {
  const int width = columns_[0]->width() - columns_[0]->handleWidth();
  const int height = rows_->height() - rows_->handleWidth();
  for (QSplitter* columns : columns_) {
    columns->setSizes({split.firstColumnWidth, std::max(0, width - split.firstColumnWidth)});
  }
  rows_->setSizes({split.firstRowHeight, std::max(0, height - split.firstRowHeight)});
}

void CChildFrame::SyncColumns(QSplitter* moved) {
  // Both rows share one column split.
  for (QSplitter* columns : columns_) {
    if (columns != moved) columns->setSizes(moved->sizes());
  }
}

void CChildFrame::EqualisePanes() {
  ApplySplit(EqualisedSplit(rows_->width(), rows_->height()));
  SetActiveView(views_[0]);
}

void CChildFrame::TogglePaneMaximised(CPlumoraView& view) {
  const PaneZoom zoom = gui::TogglePaneMaximised(view.column(), view.row(), view.width(),
                                                 view.height(), rows_->width(), rows_->height());
  if (zoom.equalise) {
    EqualisePanes();
  } else {
    ApplySplit(zoom.split);
  }
}

void CChildFrame::RefreshPanes(int index, bool playing) {
  for (CPlumoraView* view : views_) view->AnimationStep(index, playing);
}

void CChildFrame::FrameActivated() {
  if (activeView_) activeView_->Redraw();
}

void CChildFrame::FreezeViews() {
  for (CPlumoraView* view : views_) view->Freeze();
}

void CChildFrame::ThawViews() {
  for (CPlumoraView* view : views_) view->Thaw();
}

std::array<std::string, 4> CChildFrame::PaneSettingsTexts() const {
  std::array<std::string, 4> texts;
  for (std::size_t k = 0; k < views_.size(); ++k) texts[k] = views_[k]->SettingsText();
  return texts;
}

void CChildFrame::RestorePanes(const std::array<std::string, 4>& texts) {
  for (std::size_t k = 0; k < views_.size(); ++k) views_[k]->RestoreSettings(texts[k]);
}

void CChildFrame::ShowReadout(const std::string& x, const std::string& y) {
  host_.ShowReadout(QString::fromStdString(x), QString::fromStdString(y));
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (host_.QuerySaveDocument(*this)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void CChildFrame::ChartZoomCleared(const CPlumoraDoc&) {
  for (CPlumoraView* view : views_) view->ResetZoom();
}

void CChildFrame::ResultsChanged(const CPlumoraDoc&) {
  host_.DocumentResultsChanged(*this);
}

void CChildFrame::ViewsNeedUpdate(const CPlumoraDoc&) {
  for (CPlumoraView* view : views_) view->OnUpdate();
}

void CChildFrame::MissionPlanChanged(const CPlumoraDoc&) {
  host_.DocumentPlanChanged(*this);
}

// The study's panes and the ground track's landing ellipses draw from the flown study.
void CChildFrame::StudyChanged(const CPlumoraDoc&) {
  for (CPlumoraView* view : views_) view->OnUpdate();
}

}  // namespace plumora::gui
