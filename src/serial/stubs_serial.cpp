// The right-press layout of the receive pane, not written yet.
#include "app/form2.h"

namespace platine {
void Form2::Text2_MouseDown(MouseButton) {}
} // namespace platine
