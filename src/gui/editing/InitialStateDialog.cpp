#include "gui/editing/InitialStateDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/editing/CGLPreviewWnd.h"
#include "gui/kit/EditingKit.h"
#include "gui/logic/scene/PreviewState.h"

namespace plumora::gui {

namespace {

// Where the pages and the parachute dialog show their previews: left, top, width, height.
constexpr int kPagePreview[4] = {230, 25, 200, 200};
constexpr int kParachutePreview[4] = {180, 30, 200, 200};
constexpr int kMargin = 10;
constexpr int kParachuteSettingsButtonId = 1006;
// The narrowest a page's field may become to leave its label whole.
constexpr int kPageFieldMinimum = 56;

// The fields take the space left of the preview; the page holds the preview whole.
QGridLayout* FieldColumn(QWidget& page, int previewLeft, int previewTop) {
  auto* outer = new QHBoxLayout(&page);
  outer->setContentsMargins(kMargin, previewTop, kMargin, kMargin);
  auto* column = new QWidget;
  column->setMaximumWidth(previewLeft - 2 * kMargin);
  auto* grid = new QGridLayout(column);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setColumnStretch(1, 1);
  outer->addWidget(column, 0, Qt::AlignTop);
  outer->addStretch();
  return grid;
}

CGLPreviewWnd* MakePreview(QWidget* parent, const int (&place)[4], std::int32_t mode) {
  parent->setMinimumSize(place[0] + place[2] + kMargin, place[1] + place[3] + kMargin);
  return new CGLPreviewWnd(parent, place[0], place[1], place[2], place[3], mode);
}

}  // namespace

// --- Page "Position" -------------------------------------------------------------------------

CInitialVectorPage1::CInitialVectorPage1(const InitialState& state, std::int32_t planet,
                                         std::function<void(double)> pathAngleLeft)
    : shown_(state) {
  rows_.Add(*FieldColumn(*this, kPagePreview[0], kPagePreview[1]), kPositionFields, state);
  rows_.LetFieldsStretch(kPageFieldMinimum);
  preview_ = MakePreview(this, kPagePreview, GlobeModeOfPlanet(planet));
  MoveGlobe();
  rows_.OnLeave(this, [this] { MoveGlobe(); });
  connect(rows_.Field(&InitialState::payloadPathAngle), &QLineEdit::editingFinished, this,
          [this, pathAngleLeft = std::move(pathAngleLeft)] {
            pathAngleLeft(rows_.Shown(&InitialState::payloadPathAngle, shown_));
          });
}

void CInitialVectorPage1::MoveGlobe() {
  for (double InitialState::*value : {&InitialState::latitude, &InitialState::longitude,
                                      &InitialState::heading, &InitialState::height}) {
    shown_.*value = rows_.Shown(value, shown_);
  }
  preview_->SetGlobePosition(shown_.latitude, shown_.longitude, shown_.heading, shown_.height);
}

// --- Page "Attitude" -------------------------------------------------------------------------

CInitialVectorPage2::CInitialVectorPage2(const InitialState& state) : shown_(state) {
  rows_.Add(*FieldColumn(*this, kPagePreview[0], kPagePreview[1]), kAttitudeFields, state);
  rows_.LetFieldsStretch(kPageFieldMinimum);
  preview_ = MakePreview(this, kPagePreview, kPreviewCapsule);
  preview_->state().triadOn = true;
  SetPathAngle(state.payloadPathAngle);
  TurnPayload();
  rows_.OnLeave(this, [this] { TurnPayload(); });
}

void CInitialVectorPage2::SetPathAngle(double degrees) {
  preview_->state().triadAngle = degrees;
  preview_->update();
}

void CInitialVectorPage2::TurnPayload() {
  for (double InitialState::*value :
       {&InitialState::payloadRoll, &InitialState::payloadPitch, &InitialState::payloadYaw}) {
    shown_.*value = rows_.Shown(value, shown_);
  }
  PreviewState& p = preview_->state();
  p.roll = static_cast<float>(shown_.payloadRoll);
  p.pitch = static_cast<float>(shown_.payloadPitch);
  p.yaw = static_cast<float>(shown_.payloadYaw);
  preview_->update();
}

// --- "Parachute Initial State" ---------------------------------------------------------------

ParachuteStateDialog::ParachuteStateDialog(const InitialState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setWindowTitle("Parachute Initial State");
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  auto* top = new QHBoxLayout;
  auto* groups = new QVBoxLayout;
  for (const StateFieldGroup& g : kParachuteStateGroups) {
    auto* box = new QGroupBox(g.title);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(2, 1);
    rows_.Add(*grid, g.fields, state, box->title());
    groups->addWidget(box);
  }
  auto* column = new QWidget;
  column->setLayout(groups);
  groups->setContentsMargins(0, 0, 0, 0);
  column->setFixedWidth(kParachutePreview[0] - 2 * kMargin);
  top->addWidget(column, 0, Qt::AlignTop);
  top->addStretch();
  outer->addLayout(top);
  outer->addWidget(OkCancelRow(*this));

  preview_ = MakePreview(this, kParachutePreview, kPreviewSystem);
  PlaceCanopy();
  rows_.OnChange(this, [this] { PlaceCanopy(); });
}

void ParachuteStateDialog::PlaceCanopy() {
  const auto shown = [this](double InitialState::*value) { return rows_.Shown(value, state_); };
  preview_->SetSystemGeometry(
      shown(&InitialState::parachuteOffsetX), shown(&InitialState::parachuteOffsetY),
      shown(&InitialState::parachuteOffsetZ), shown(&InitialState::parachutePitch),
      shown(&InitialState::parachuteRoll), shown(&InitialState::parachuteYaw));
}

void ParachuteStateDialog::accept() {
  InitialState edited = state_;
  if (!rows_.Read(edited)) return;
  state_ = edited;
  QDialog::accept();
}

// --- "System Initial State" ------------------------------------------------------------------

InitialStateDialog::InitialStateDialog(const InitialState& state, std::int32_t planet,
                                       QWidget* parent)
    : QDialog(parent), state_(state) {
  setWindowTitle("System Initial State");
  sheet_ = new QTabWidget;
  attitude_ = new CInitialVectorPage2(state);
  position_ = new CInitialVectorPage1(state, planet,
                                      [this](double angle) { attitude_->SetPathAngle(angle); });
  sheet_->addTab(position_, "Position");
  sheet_->addTab(attitude_, "Attitude");

  auto* parachute = new QPushButton("Parachute...");
  SetControlId(*parachute, kParachuteSettingsButtonId);
  connect(parachute, &QPushButton::clicked, this, [this] { EditParachute(); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  layout->addWidget(sheet_);
  auto* row = new QHBoxLayout;
  row->addWidget(parachute);
  row->addStretch();
  row->addWidget(OkCancelRow(*this));
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void InitialStateDialog::EditParachute() {
  ParachuteStateDialog dialog(state_, this);
  if (dialog.exec() == QDialog::Accepted) state_ = dialog.state();
}

void InitialStateDialog::accept() {
  // A field without a number is shown on its page before it is named.
  if (!position_->AllNumbers()) {
    sheet_->setCurrentWidget(position_);
  } else if (!attitude_->AllNumbers()) {
    sheet_->setCurrentWidget(attitude_);
  }
  InitialState edited = state_;
  if (!position_->Read(edited) || !attitude_->Read(edited)) return;
  if (const std::optional<FieldRefusal> refusal = CheckInitialState(edited)) {
    sheet_->setCurrentWidget(position_);
    ShowRefusal(this, refusal->message);
    return;
  }
  state_ = edited;
  QDialog::accept();
}

}  // namespace plumora::gui
