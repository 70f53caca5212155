#pragma once

#include "controls.h"

namespace dezenario {

// VISITE: opens the maker's web site in a new browser window.
void runVisit(Browser &browser, const QString &siteAddress);

} // namespace dezenario
