// The animation control bar, docked at the bottom: slider, time, speed and the transport and
// chart-zoom buttons. It shows what its controller decided and reports the user's actions back
// through the handler.
#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QSlider;
class QToolButton;

namespace plumora::gui {

struct AnimationBarState;

class AnimationBar : public QWidget {
 public:
  // handler(controlId, value): a button (value 0), the slider let go (its position) or the
  // speed list (the selection).
  using Handler = std::function<void(int controlId, int value)>;
  AnimationBar(Handler handler, QWidget* parent = nullptr);

  // Slider range and position, time text, enabled buttons.
  void Show(const AnimationBarState& state);

  QString timeText() const;
  QSlider* slider() const { return slider_; }
  QToolButton* button(int controlId) const;

 private:
  QToolButton* AddButton(int controlId, int artwork, const char* tip);

  Handler handler_;
  QSlider* slider_;
  QLineEdit* time_;
  QComboBox* speed_;
  std::vector<QToolButton*> buttons_;
};

}  // namespace plumora::gui
