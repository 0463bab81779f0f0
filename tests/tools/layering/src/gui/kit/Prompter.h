#pragma once
#include "gui/logic/commands/CommandIds.h"
#include "gui/editing/EditingKit.h"
