#include "clearcommand.h"

namespace dezenario {

void runClear(TextBox &text1)
{
    text1.setText(QString());
}

} // namespace dezenario
