// Handlers of the badge list not written yet.
#include "app/form2.h"

namespace platine {
void Form2::Command1_Click() {}
void Form2::Command4_Click() {}
void Form2::Command2_Click() {}
void Form2::Command7_Click() {}
void Form2::Command5_Click() {}
void Form2::Command11_Click() {}
void Form2::Command14_Click() {}
void Form2::Command13_Click() {}
void Form2::Command12_Click() {}
void Form2::Choix_24_Click() {}
void Form2::choix_lieu_Click() {}
void Form2::Label2_Change() {}
void Form2::Command21_Click() {}
void Form2::Command22_Click() {}
void Form2::mise_en_tableau() {}
void Form2::mise_a_jour_tableaux(std::int16_t) {}
void Form2::mise_a_jour_affichage(std::int16_t) {}
} // namespace platine
