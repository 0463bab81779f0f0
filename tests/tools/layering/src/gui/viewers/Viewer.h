#pragma once
#include "gui/kit/Prompter.h"
#include "gui/results/Pane.h"
