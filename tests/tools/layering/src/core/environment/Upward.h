#pragma once
#include "core/common/Vec3.h"
#include "core/mission/Records.h"
