#pragma once
#include "gui/app/CMainFrame.h"
