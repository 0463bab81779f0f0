#pragma once
#include "verify/PointMassEntry.h"
