// "Payload Data" and "Parachute data": the fields of one record beside a 3D preview of it. They
// edit a copy; OK writes it into the record, Cancel leaves the record as it was.
#pragma once

#include <QDialog>
#include <QWidget>
#include <array>

#include "gui/logic/editing/PayloadData.h"

class QComboBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace plumora {
class CPayload;
class CParachute;
}  // namespace plumora

namespace plumora::gui {

class CGLPreviewWnd;
class NumberField;

// "Dynamic Data": inertia, mass and reference area.
class CPayloadDataPage1 : public QWidget {
 public:
  CPayloadDataPage1();
  void Show(const PayloadData& data);
  bool Read(PayloadData& data);
  QPushButton* defaultButton() const { return default_; }

 private:
  // Ixx, Iyy, Izz, Ixy, Ixz, Iyz, mass, reference area.
  std::array<NumberField*, 8> fields_{};
  QPushButton* default_;
};

// "Connection Lines Data": a single strope or bridle legs.
class CPayloadDataPage2 : public QWidget {
 public:
  CPayloadDataPage2();
  void Show(const PayloadData& data);
  bool Read(PayloadData& data);
  // What the fields hold now, as far as it reads as numbers, for the preview.
  void Peek(PayloadData& data) const;
  // Enables the fields of the connection kind.
  void ShowKind(std::int32_t kind);
  QPushButton* defaultButton() const { return default_; }
  QRadioButton* singleStrope() const { return single_; }
  QRadioButton* bridleLegs() const { return bridle_; }
  const std::array<NumberField*, 7>& fields() const { return fields_; }

 private:
  QRadioButton* single_;
  QRadioButton* bridle_;
  // Link x, y, z; leg count, COG distance, radius, length.
  std::array<NumberField*, 7> fields_{};
  QPushButton* default_;
};

class CPayloadDataDlg : public QDialog {
 public:
  CPayloadDataDlg(const CPayload& payload, QWidget* parent);
  const PayloadData& data() const { return data_; }
  const CGLPreviewWnd& preview() const { return *preview_; }
  void accept() override;

 private:
  void TypeChosen(int index);
  void RedrawPreview();

  PayloadData data_;
  CPayloadDataPage1* dynamic_;
  CPayloadDataPage2* lines_;
  QComboBox* type_;
  CGLPreviewWnd* preview_;
  // The preview's lines: the start and one point per leg, for the most legs a payload can have.
  PreviewLinePoints linePoints_{};
};

class CParachuteDataDlg : public QDialog {
 public:
  CParachuteDataDlg(const CParachute& parachute, QWidget* parent);
  const ParachuteData& data() const { return data_; }
  void accept() override;

 private:
  ParachuteData data_;
  // The sixteen fields in the order of ParachuteData.
  std::array<NumberField*, 16> fields_{};
};

// Open the dialog on the record; true when OK changed it.
bool EditPayload(CPayload& payload, QWidget* parent);
bool EditParachute(CParachute& parachute, QWidget* parent);

}  // namespace plumora::gui
