#pragma once
#include "core/common/Vec3.h"
