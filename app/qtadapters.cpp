#include "qtadapters.h"

#include "commanderror.h"
#include "runstore.h"
#include "slipsettings.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <new>

namespace dezenario {

namespace {
constexpr int MessageWidth = 640; // pixels; wider texts wrap
} // namespace

void showError(QWidget *parent, const CommandError &error)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("DEZENARIO"),
                    QStringLiteral("ERRO %1\n%2").arg(error.number()).arg(error.description()),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void guarded(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
    } catch (const CommandError &error) {
        showError(parent, error);
    } catch (const std::bad_alloc &) {
        showError(parent,
                  CommandError(errors::OutOfMemory,
                               QStringLiteral("MEMÓRIA INSUFICIENTE PARA ESTE TEXTO.")));
    } catch (const std::exception &error) {
        showError(parent,
                  CommandError(errors::Internal,
                               QStringLiteral("ERRO INTERNO: %1.")
                                       .arg(QString::fromLocal8Bit(error.what()))));
    } catch (...) {
        showError(parent, CommandError(errors::Internal, QStringLiteral("ERRO INTERNO.")));
    }
}

void saveFile(QWidget *parent, const QString &title, const QString &suggested,
              const QByteArray &csv)
{
    const QString name =
            QFileDialog::getSaveFileName(parent, title, suggested, QStringLiteral("CSV (*.csv)"));
    if (name.isEmpty())
        return;
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) < 0 || !file.commit())
        throw CommandError(
                errors::PermissionDenied,
                QStringLiteral("NÃO FOI POSSÍVEL GRAVAR %1: %2.")
                        .arg(QDir::toNativeSeparators(name), file.errorString().toUpper()));
}

QTableView *tableView(const QString &name, const QString &spoken, QAbstractItemModel *model,
                      QWidget *parent)
{
    auto *table = new QTableView(parent);
    table->setObjectName(name);
    table->setAccessibleName(spoken);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QLabel *wordsLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

void addRow(QFormLayout *form, const QString &caption, QWidget *field)
{
    form->addRow(caption + u':', field);
    field->setAccessibleName(QString(caption).remove(u'&'));
}

SystemPrinter slipPrinter(QImage mark)
{
    return SystemPrinter(std::move(mark), SlipSettings().chosenPrinter(), [](const QString &name) {
        return SlipSettings().alignmentFor(name).alignment;
    });
}

QString keepPrinted(KeptRun &run, const SystemPrinter &printer, const RunStore &store)
{
    run.when = QDateTime::currentDateTime();
    run.printer = printer.name();
    run.alignment = printer.alignment();
    QString file;
    if (const QString why = store.keep(run, &file); !why.isEmpty())
        throw CommandError(errors::PermissionDenied,
                           QStringLiteral("OS VOLANTES FORAM IMPRESSOS, MAS ESTA IMPRESSÃO NÃO FOI "
                                          "GUARDADA EM VOLANTES IMPRESSOS: %1")
                                   .arg(why));
    return file;
}

QtListBox::QtListBox(QListWidget *list) : m_list(list) {}

QtListBox::~QtListBox()
{
    flush();
}

void QtListBox::clear()
{
    m_pending.clear();
    m_list->clear();
    m_list->setAccessibleDescription(QString()); // the outcome it told of is gone
}

void QtListBox::addItem(const QString &item)
{
    m_pending.append(item);
}

int QtListBox::count() const
{
    return m_list->count() + int(m_pending.size());
}

void QtListBox::flush()
{
    if (m_pending.isEmpty())
        return;
    m_list->addItems(m_pending);
    m_pending.clear();
}

// --- Labels, boxes, sound, options, window ----------------------------------

void QtLabel::setCaption(const QString &caption)
{
    m_label->setText(caption);
    // A heading names the control it heads, for a screen reader too.
    if (QWidget *headed = m_label->buddy())
        headed->setAccessibleName(caption);
}

QString QtPromptBox::inputBox(const QString &prompt, const QString &title,
                              const QString &defaultAnswer)
{
    QInputDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultAnswer);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Cancelar"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QuestionBox::Answer QtQuestionBox::askYesNo(const QString &prompt, const QString &title)
{
    // A dialog of our own: QMessageBox sizes its text before wrapping a line
    // too long for the screen, and then cuts it off. Line breaking keeps runs
    // like "20-22" together, so an invisible break opportunity follows each dash.
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("MsgBox"));
    dialog.setWindowTitle(title);
    QString shown = prompt;
    shown.replace(u'-', QStringLiteral("-\u200B"));
    auto *text = new QLabel(shown, &dialog);
    text->setObjectName(QStringLiteral("prompt"));
    text->setTextFormat(Qt::PlainText);
    const int width =
            std::min(text->sizeHint().width(), MessageWidth); // the widest line, unwrapped
    text->setWordWrap(true);
    text->setFixedWidth(width);
    text->setMinimumHeight(text->heightForWidth(width));
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *yes = buttons->addButton(QStringLiteral("Sim"), QDialogButtonBox::YesRole);
    QPushButton *no = buttons->addButton(QStringLiteral("Não"), QDialogButtonBox::NoRole);
    yes->setDefault(true);
    QObject::connect(yes, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(no, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return dialog.exec() == QDialog::Accepted ? Yes : No;
}

void QtSpeaker::announce(const QString &outcome)
{
    m_results->setAccessibleDescription(outcome);
}

void QtSpeaker::beep()
{
    QApplication::beep();
    emit beeped();
}

bool QtOptionButtons::value(int index) const
{
    Q_ASSERT(index >= 1 && index <= 4);
    return m_buttons[index - 1]->isChecked();
}

void QtWindow::refresh()
{
    if (!m_throttle.due())
        return;
    m_text.showFront();
    m_list.flush();
    m_form->repaint();
}

// --- Browser -----------------------------------------------------------------

void QtBrowser::navigate(const QString &address)
{
    if (!QDesktopServices::openUrl(QUrl(address))) {
        throw CommandError(errors::CannotCreateObject,
                           QStringLiteral("NÃO FOI POSSÍVEL ABRIR O NAVEGADOR PARA %1. VERIFIQUE "
                                          "SE HÁ UM NAVEGADOR PADRÃO INSTALADO.")
                                   .arg(address.toUpper()));
    }
}

} // namespace dezenario
