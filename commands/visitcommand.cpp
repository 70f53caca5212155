#include "visitcommand.h"

namespace dezenario {

void runVisit(Browser &browser, const QString &siteAddress)
{
    browser.navigate(siteAddress);
}

} // namespace dezenario
