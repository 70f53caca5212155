#include "mainwindow.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

// Form1 is a plain widget, which Qt reports as a filler; a screen reader
// should meet it as the program's window, named by its title.
static QAccessibleInterface *windowInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("dezenario::MainWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

namespace dezenario {

void setUpApplication()
{
    // The layout is fixed in pixels: one style and one font everywhere keep
    // every caption whole, whatever the desktop's own choice.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Where the system has no DejaVu (Windows), the program carries it.
    const QString carried = QStringLiteral(":/dezenario/DejaVuSansCondensed.ttf");
    if (QFile::exists(carried) && QFontDatabase::addApplicationFont(carried) < 0)
        qWarning("The window's font could not be loaded; captions may not fit.");
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    QAccessible::installFactory(windowInterface);

    // Debian's are in Qt's own folder; the Windows program carries them beside it.
    auto *translator = new QTranslator(qApp);
    for (const QString &folder :
         { QLibraryInfo::path(QLibraryInfo::TranslationsPath),
           QCoreApplication::applicationDirPath() + QStringLiteral("/translations") }) {
        if (translator->load(QStringLiteral("qtbase_pt_BR"), folder)) {
            QApplication::installTranslator(translator);
            break;
        }
    }
}

} // namespace dezenario
