#pragma once
#include "gui/results/Pane.h"
#include "gui/viewers/Viewer.h"
