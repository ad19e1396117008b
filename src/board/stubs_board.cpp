// Handlers of the board operations not written yet.
#include "app/form2.h"

namespace platine {
void Form2::Command8_Click() {}
void Form2::Command3_Click() {}
void Form2::Command17_Click() {}
void Form2::Command19_Click() {}
void Form2::lecture_badge_Click() {}
void Form2::Command15_Click() {}
void Form2::Command16_Click() {}
void Form2::Command18_Click() {}
void Form2::Command20_MouseDown(MouseButton) {}
void Form2::Command9_Click() {}
} // namespace platine
