#include "mainwindow.h"
#include "siteconfig.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dezenario"));
    QApplication::setOrganizationName(QStringLiteral("DEZENARIO")); // where the settings are kept
    QApplication::setApplicationVersion(QStringLiteral(DEZENARIO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("br.com.dezenario.dezenario"));
    dezenario::setUpApplication();
    dezenario::MainWindow window;
    window.show();
    return app.exec();
}
