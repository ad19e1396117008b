// The board's name in rows and captions: the board on the chosen port.

#include "app/form2.h"

namespace platine {

QString Form2::boardLabel() const
{
    return chosenPortName();
}

} // namespace platine
