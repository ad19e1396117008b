#pragma once
// Not built: a board operation that reaches up into the window.
#include "serial/planted_line.h"
#include "app/planted_form.h"
