#include "mainwindow.h"

#include "analysiscommand.h"
#include "clearcommand.h"
#include "commanderror.h"
#include "qtadapters.h"
#include "systemprinter.h"
#include "siteconfig.h"
#include "slipprintjob.h"
#include "ui_form1.h"
#include "visitcommand.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QScreen>
#include <QStyleFactory>
#include <QTranslator>
#include <new>

// Form1 is a plain widget, which Qt reports as a filler; a screen reader
// should meet it as the program's window, named by its title.
static QAccessibleInterface *windowInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("dezenario::MainWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

// The mark image lives in a static library, whose resources are not registered by themselves.
static void registerResources()
{
    Q_INIT_RESOURCE(dezenario);
}

namespace dezenario {

MainWindow::MainWindow(QWidget *parent) : QWidget(parent), m_ui(std::make_unique<Ui::Form1>())
{
    registerResources();
    m_ui->setupUi(this);
    m_speaker = new QtSpeaker(m_ui->List1, this);
    // The count reads inside the heading's blank line; the mark sits over the how-to text.
    m_ui->Label1->raise();
    m_ui->INKPicture1->raise();
    m_ui->Text1->setFocus();

    connect(m_ui->ANALIZAR, &QPushButton::clicked, this, &MainWindow::analyse);
    connect(m_ui->IMPRIMIR, &QPushButton::clicked, this, &MainWindow::print);
    connect(m_ui->LIMPA, &QPushButton::clicked, this, &MainWindow::clear);
    connect(m_ui->VISITE, &QPushButton::clicked, this, &MainWindow::visit);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // The frame, title bar included, is centred; Windows tells its size once the window exists.
        winId();
        QRect frame(QPoint(), frameGeometry().size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::runCommand(const std::function<void()> &command)
{
    auto report = [this](const CommandError &error) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("DEZENARIO"),
                        QStringLiteral("ERRO %1\n%2").arg(error.number()).arg(error.description()),
                        QMessageBox::NoButton, this);
        box.setObjectName(QStringLiteral("ErrorBox"));
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
    };
    try {
        command();
    } catch (const CommandError &error) {
        report(error);
    } catch (const std::bad_alloc &) {
        report(CommandError(errors::OutOfMemory,
                            QStringLiteral("MEMÓRIA INSUFICIENTE PARA ESTE TEXTO.")));
    }
}

void MainWindow::analyse()
{
    runCommand([this] {
        QtTextBox text1(m_ui->Text1);
        QtListBox list1(m_ui->List1);
        QtLabel label1(m_ui->Label1), label4(m_ui->Label4);
        QtPromptBox prompt(this);
        runAnalysis({ text1, list1, label1, label4, prompt, *m_speaker });
    });
}

void MainWindow::print()
{
    runCommand([this] {
        QtTextBox text1(m_ui->Text1);
        QtListBox list1(m_ui->List1);
        QtLabel label4(m_ui->Label4);
        QtPromptBox prompt(this);
        QtQuestionBox question(this);
        QtOptionButtons options({ m_ui->Option1, m_ui->Option2, m_ui->Option3, m_ui->Option4 });
        QtWindow window(this, text1, list1);
        SystemPrinter printer(m_ui->INKPicture1->pixmap().toImage());
        runPrintJob(
                { text1, list1, label4, prompt, question, options, window, printer, *m_speaker });
    });
}

void MainWindow::clear()
{
    runCommand([this] {
        QtTextBox text1(m_ui->Text1);
        runClear(text1);
    });
}

void MainWindow::visit()
{
    runCommand([] {
        QtBrowser browser;
        runVisit(browser, QStringLiteral(DEZENARIO_SITE_URL));
    });
}

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
