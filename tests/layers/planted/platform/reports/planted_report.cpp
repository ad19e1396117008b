// Not built: the report room is of the platform layer; it may not include the
// serial line.
#include "platform/planted_port.h"
#include "serial/planted_line.h"
