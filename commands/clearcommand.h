#pragma once

#include "controls.h"

namespace dezenario {

// LIMPA: empties Text1 and nothing else.
void runClear(TextBox &text1);

} // namespace dezenario
