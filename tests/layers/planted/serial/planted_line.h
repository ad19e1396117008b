#pragma once
// Not built: the serial line's own header, which may include the platform.
#include "platform/planted_port.h"
