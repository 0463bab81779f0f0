// "Payload Data" and "Parachute data": the fields of one record beside a 3D preview of it. They
// edit a copy; OK writes it into the record, Cancel leaves the record as it was.
#pragma once

#include <QDialog>
#include <QWidget>
#include <vector>
#include "gui/editing/FieldRows.h"
#include "gui/editing/FormLayout.h"
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
  const std::vector<FieldGrid>& grids() const { return grids_; }

 private:
  FieldRows<CPayload> rows_;
  std::vector<FieldGrid> grids_;
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
  const std::vector<FieldGrid>& grids() const { return grids_; }
  // Calls `changed` whenever the user leaves one of the fields.
  template <typename Changed>
  void OnLeave(QObject* context, Changed changed) const {
    strope_.OnLeave(context, changed);
    legs_.OnLeave(context, changed);
  }

 private:
  QRadioButton* single_;
  QRadioButton* bridle_;
  FieldRows<CPayload> strope_;
  FieldRows<CPayload> legs_;
  std::vector<FieldGrid> grids_;
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
  FieldRows<CParachute> rows_;
};

// Open the dialog on the record; true when OK changed it.
bool EditPayload(CPayload& payload, QWidget* parent);
bool EditParachute(CParachute& parachute, QWidget* parent);

}  // namespace plumora::gui
