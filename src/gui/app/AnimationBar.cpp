#include "gui/app/AnimationBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

#include "gui/kit/Artwork.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/results/AnimationBarController.h"

namespace plumora::gui {

AnimationBar::AnimationBar(Handler handler, QWidget* parent)
    : QWidget(parent), handler_(std::move(handler)) {
  auto* layout = new QHBoxLayout(this);
  slider_ = new QSlider(Qt::Horizontal);
  slider_->setRange(0, 0);
  slider_->setProperty("controlId", kCtlAnimationSlider);
  layout->addWidget(slider_, 1);
  // A click beside the handle or a drag ends in a position the panes jump to.
  connect(slider_, &QSlider::sliderReleased, this,
          [this] { handler_(kCtlAnimationSlider, slider_->value()); });
  connect(slider_, &QSlider::actionTriggered, this, [this](int action) {
    if (action == QAbstractSlider::SliderMove || slider_->isSliderDown()) return;
    // The action is applied after this signal; report the position it leads to.
    QMetaObject::invokeMethod(
        this, [this] { handler_(kCtlAnimationSlider, slider_->value()); }, Qt::QueuedConnection);
  });

  time_ = new QLineEdit("0.00/0.0 s");
  time_->setReadOnly(true);
  time_->setFixedWidth(130);
  time_->setProperty("controlId", kCtlTimeText);
  layout->addWidget(time_);

  speed_ = new QComboBox;
  for (const char* item : kSpeedItems) speed_->addItem(item);
  speed_->setCurrentIndex(kDefaultSpeedItem);
  speed_->setProperty("controlId", kCtlSpeed);
  connect(speed_, &QComboBox::currentIndexChanged, this,
          [this](int selection) { handler_(kCtlSpeed, selection); });
  layout->addWidget(speed_);

  AddButton(kCtlToStart, static_cast<int>(Artwork::kToStart), "To start");
  AddButton(kCtlStepBack, static_cast<int>(Artwork::kStepBack), "Step back");
  AddButton(kCtlPause, static_cast<int>(Artwork::kPause), "Pause");
  AddButton(kCtlPlay, static_cast<int>(Artwork::kPlay), "Play");
  AddButton(kCtlStepForward, static_cast<int>(Artwork::kStepForward), "Step forward");
  AddButton(kCtlToEnd, static_cast<int>(Artwork::kToEnd), "To end");
  layout->addSpacing(24);
  AddButton(kCtlZoomToSelection, static_cast<int>(Artwork::kZoomToSelection),
            "Zoom the chart to the marked interval");
  AddButton(kCtlZoomReset, static_cast<int>(Artwork::kZoomReset), "Show the whole chart");
}

QToolButton* AnimationBar::AddButton(int controlId, int artwork, const char* tip) {
  auto* button = new QToolButton;
  button->setIcon(ArtworkIcon(static_cast<Artwork>(artwork)));
  button->setIconSize(QSize(24, 24));
  button->setToolTip(tip);
  button->setProperty("controlId", controlId);
  connect(button, &QToolButton::clicked, this, [this, controlId] { handler_(controlId, 0); });
  layout()->addWidget(button);
  buttons_.push_back(button);
  return button;
}

QToolButton* AnimationBar::button(int controlId) const {
  for (QToolButton* b : buttons_) {
    if (b->property("controlId").toInt() == controlId) return b;
  }
  return nullptr;
}

void AnimationBar::Show(const AnimationBarState& state) {
  const QSignalBlocker block(slider_);
  slider_->setRange(0, state.sliderMaximum);
  slider_->setValue(state.sliderPosition);
  time_->setText(QString::fromStdString(state.timeText));
  const bool enabled = state.transportEnabled;
  slider_->setEnabled(enabled);
  for (int id : {kCtlPlay, kCtlPause, kCtlToStart, kCtlToEnd, kCtlStepBack, kCtlStepForward}) {
    button(id)->setEnabled(enabled);
  }
}

QString AnimationBar::timeText() const {
  return time_->text();
}

}  // namespace plumora::gui
