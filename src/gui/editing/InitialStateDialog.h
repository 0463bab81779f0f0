// "System Initial State": the mission's starting point on the page "Position" (with the entry
// point on the planet), the payload's attitude on the page "Attitude" (with the payload and the
// flight-path arrow), and behind "Parachute..." the canopy's place, angles and rates. The dialog
// works on a copy; the command stores it on OK.
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>

class QTabWidget;

#include "core/mission/Records.h"
#include "gui/editing/FieldRows.h"
#include "gui/logic/editing/SetupForms.h"

namespace plumora::gui {

class CGLPreviewWnd;

// Page "Position": velocity, height, path angle and the entry point, with the globe preview.
class CInitialVectorPage1 : public QWidget {
 public:
  // `pathAngleLeft` hears the path angle whenever the user leaves its field.
  CInitialVectorPage1(const InitialState& state, std::int32_t planet,
                      std::function<void(double)> pathAngleLeft);
  bool Read(InitialState& state) const { return rows_.Read(state); }
  bool AllNumbers() const { return rows_.AllNumbers(); }
  CGLPreviewWnd* preview() const { return preview_; }
  QGridLayout* grid() const { return grid_; }

 private:
  void MoveGlobe();

  FieldRows<InitialState> rows_;
  QGridLayout* grid_;
  InitialState shown_;  // the values the preview was last given
  CGLPreviewWnd* preview_;
};

// Page "Attitude": the payload's angles and rates, with the payload turned to them.
class CInitialVectorPage2 : public QWidget {
 public:
  explicit CInitialVectorPage2(const InitialState& state);
  bool Read(InitialState& state) const { return rows_.Read(state); }
  bool AllNumbers() const { return rows_.AllNumbers(); }
  void SetPathAngle(double degrees);
  CGLPreviewWnd* preview() const { return preview_; }
  QGridLayout* grid() const { return grid_; }

 private:
  void TurnPayload();

  FieldRows<InitialState> rows_;
  QGridLayout* grid_;
  InitialState shown_;
  CGLPreviewWnd* preview_;
};

// "Parachute Initial State": the canopy's offset from the payload, its angles relative to it
// and its rates, with the whole system drawn as they place it.
class ParachuteStateDialog : public QDialog {
 public:
  ParachuteStateDialog(const InitialState& state, QWidget* parent);
  // The copy with the dialog's values, once it was accepted.
  const InitialState& state() const { return state_; }
  CGLPreviewWnd* preview() const { return preview_; }

  void accept() override;

 private:
  void PlaceCanopy();

  InitialState state_;
  FieldRows<InitialState> rows_;
  CGLPreviewWnd* preview_;
};

class InitialStateDialog : public QDialog {
 public:
  // `planet` chooses the globe of the position preview; it is shown, not edited.
  InitialStateDialog(const InitialState& state, std::int32_t planet, QWidget* parent);
  // The edited copy, once the dialog was accepted: what the command stores.
  const InitialState& state() const { return state_; }
  CInitialVectorPage1* positionPage() const { return position_; }
  CInitialVectorPage2* attitudePage() const { return attitude_; }

  void accept() override;

 private:
  void EditParachute();

  InitialState state_;
  QTabWidget* sheet_;
  CInitialVectorPage1* position_;
  CInitialVectorPage2* attitude_;
};

}  // namespace plumora::gui
