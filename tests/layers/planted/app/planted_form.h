#pragma once
// Not built: the window, which may include every layer.
#include "board/planted_operations.h"
#include "serial/planted_line.h"
