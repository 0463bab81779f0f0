#pragma once
#include "core/flight/TrajectoryStore.h"
#include <QImage>
