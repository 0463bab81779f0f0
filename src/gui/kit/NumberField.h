// A dialog field that holds a number. It shows the stored value so that it reads back exactly,
// lets the user type only what may become a number (in any locale a point for decimals), and on
// OK either gives its number or says why not, keeping the value it had.
#pragma once

#include <QLineEdit>
#include <QString>
#include <cstdint>

namespace plumora::gui {

class NumberField : public QLineEdit {
 public:
  enum class Kind { kReal, kInteger };
  // `label` names the field in the message a bad entry brings ("Mass (kg)").
  NumberField(QString label, Kind kind = Kind::kReal, QWidget* parent = nullptr);

  void SetValue(double value);
  void SetValue(std::int32_t value);

  // The number typed into the field. When there is none, a message names the field and its
  // text, the field takes the focus with its text selected, `target` keeps its value and the
  // answer is false: the dialog stays open.
  bool Read(double& target);
  bool Read(std::int32_t& target);

  const QString& label() const { return label_; }

 private:
  void Refuse();

  QString label_;
  Kind kind_;
};

// Gives the widget the control id tests and snapshots find it by: object name "ctl_<id>".
void SetControlId(QWidget& widget, int id);

}  // namespace plumora::gui
