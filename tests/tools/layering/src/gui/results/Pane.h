#pragma once
#include "gui/kit/Prompter.h"
#include "gui/app/MainFrame.h"
