// The program's pictures: toolbar and button icons (the desktop's icon theme where it has them,
// our own drawings otherwise), the splash picture and the mission plan bar's picture.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "gui/logic/commands/ArtworkId.h"

namespace plumora::gui {

QIcon ArtworkIcon(Artwork artwork);
// A capsule under its parachute against the sky, with the program's name.
QPixmap SplashPicture();
// A small version of the same scene for the mission plan bar.
QPixmap MissionPlanPicture();

}  // namespace plumora::gui
