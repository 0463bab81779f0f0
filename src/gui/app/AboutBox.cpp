#include "gui/app/AboutBox.h"

#include <QIcon>
#include <QMessageBox>

#include "gui/kit/Artwork.h"

namespace plumora::gui {

void ShowAboutBox(QWidget* parent) {
  QMessageBox box(parent);
  box.setWindowTitle("About plumora");
  box.setIconPixmap(
      MissionPlanPicture().scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  box.setText("<b>plumora</b> " PLUMORA_VERSION);
  box.setInformativeText(
      "Atmospheric entry and parachute descent of a capsule at Earth, Mars and Titan.<br><br>"
      "Earth map: NASA Visible Earth (public domain), as installed by Debian's xplanet-images. "
      "The Mars and Titan maps and all other pictures are the program's own.");
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

}  // namespace plumora::gui
