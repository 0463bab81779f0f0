#pragma once
#include "gl/CDIB.h"
