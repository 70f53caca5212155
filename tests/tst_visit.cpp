// VISITE on a real X display (xvfb-run): Qt hands the address to xdg-open,
// here a stub that records what it was given.
#include "mainwindow.h"
#include "windowtesting.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace dezenario;
using namespace dezenario::test;

class TestVisit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void noBrowserIsReported();
    void everyClickOpensTheSite();

private:
    QStringList contents() const;
    QTemporaryDir m_dir;
    MainWindow *m_window = nullptr;
};

void TestVisit::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
    setUpApplication();
    m_window = new MainWindow;
    m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->setPlainText(QStringLiteral("01-02-03-"));
    m_window->findChild<QListWidget *>(QStringLiteral("List1"))->addItem(QStringLiteral("05"));
    m_window->findChild<QLabel *>(QStringLiteral("Label1"))->setText(QStringLiteral("1"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

QStringList TestVisit::contents() const
{
    return {m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->toPlainText(),
            m_window->findChild<QListWidget *>(QStringLiteral("List1"))->item(0)->text(),
            m_window->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
            m_window->findChild<QLabel *>(QStringLiteral("Label4"))->text()};
}

void TestVisit::noBrowserIsReported()
{
    // A PATH without xdg-open or any browser.
    qputenv("PATH", m_dir.path().toLocal8Bit());
    const QStringList before = contents();
    ModalAnswers answers({ModalAnswers::press(QStringLiteral("OK"))});
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("VISITE")), Qt::LeftButton);
    QVERIFY(answers.done());
    QCOMPARE(answers.seen.value(0), QStringLiteral("DEZENARIO"));
    QVERIFY2(answers.seen.value(1).startsWith(QStringLiteral("ERRO 429\n")), qPrintable(answers.seen.value(1)));
    QCOMPARE(contents(), before);
}

void TestVisit::everyClickOpensTheSite()
{
    const QString log = m_dir.filePath(QStringLiteral("opened.log"));
    QFile stub(m_dir.filePath(QStringLiteral("xdg-open")));
    QVERIFY(stub.open(QIODevice::WriteOnly));
    stub.write(QStringLiteral("#!/bin/sh\necho \"$@\" >> '%1'\n").arg(log).toLocal8Bit());
    stub.close();
    stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QStringList before = contents();
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("VISITE")), Qt::LeftButton);
    QVERIFY(!QApplication::activeModalWidget());

    QElapsedTimer waited;
    waited.start();
    QStringList opened;
    while (waited.elapsed() < 10000) {
        QFile file(log);
        if (file.open(QIODevice::ReadOnly))
            opened = QString::fromLocal8Bit(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        if (opened.size() >= 2)
            break;
        QTest::qWait(50);
    }
    QCOMPARE(opened, (QStringList{DEZENARIO_SITE_URL, DEZENARIO_SITE_URL}));
    QCOMPARE(contents(), before);
}

QTEST_MAIN(TestVisit)
#include "tst_visit.moc"
