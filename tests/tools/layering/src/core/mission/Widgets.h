#pragma once
#include <QString>
#include <GL/gl.h>
#include "gui/logic/CommandIds.h"
