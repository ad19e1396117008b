// Not built: the layer check must name this file, a file of the serial line
// that reaches up into the board operations.
#include "serial/planted_line.h"
#include "platform/planted_port.h"
#include "board/planted_history_table.h"

#include "board/planted_operations.h"
