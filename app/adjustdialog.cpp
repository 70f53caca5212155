#include "adjustdialog.h"

#include "decimalbox.h"
#include "qtadapters.h"
#include "slipsettings.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <mutex>
#include <thread>

namespace dezenario {

namespace {
QDoubleSpinBox *valueBox(QWidget *parent, const char *name, double low, double high,
                         const char *unit)
{
    auto *box = new DecimalBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setRange(low, high);
    box->setSuffix(QLatin1String(unit));
    return box;
}

// The printers are asked on a thread of their own that nobody waits for, so closing the program
// while a slow network is asked ends it at once. The answer reaches the dialog only while it is
// open.
struct Listing
{
    std::mutex mutex;
    AdjustDialog *dialog;
};
} // namespace

AdjustDialog::AdjustDialog(QImage mark, QWidget *parent)
    : QDialog(parent),
      m_mark(std::move(mark)),
      m_printer(new QComboBox(this)),
      m_right(valueBox(this, "Direita", -Alignment::MaxShift, Alignment::MaxShift, " MM")),
      m_down(valueBox(this, "Abaixo", -Alignment::MaxShift, Alignment::MaxShift, " MM")),
      m_width(valueBox(this, "Largura", Alignment::MinStretch, Alignment::MaxStretch, " %")),
      m_height(valueBox(this, "Altura", Alignment::MinStretch, Alignment::MaxStretch, " %")),
      m_notice(new QLabel(this))
{
    setObjectName(QStringLiteral("Ajuste"));
    setWindowTitle(QStringLiteral("AJUSTAR VOLANTES"));
    m_printer->setObjectName(QStringLiteral("Impressora"));
    m_notice->setObjectName(QStringLiteral("Aviso"));
    m_notice->setWordWrap(true);
    m_notice->setMinimumWidth(360);

    auto *form = new QFormLayout;
    addRow(form, QStringLiteral("IMPRESSORA DOS VOLANTES"), m_printer);
    addRow(form, QStringLiteral("MOVER PARA A DIREITA"), m_right);
    addRow(form, QStringLiteral("MOVER PARA BAIXO"), m_down);
    addRow(form, QStringLiteral("ESTICAR NA LARGURA"), m_width);
    addRow(form, QStringLiteral("ESTICAR NA ALTURA"), m_height);
    m_right->setAccessibleDescription(
            QStringLiteral("EM MILÍMETROS; NEGATIVO MOVE PARA A ESQUERDA"));
    m_down->setAccessibleDescription(QStringLiteral("EM MILÍMETROS; NEGATIVO MOVE PARA CIMA"));

    auto *buttons = new QDialogButtonBox(this);
    m_testSheet = buttons->addButton(QStringLiteral("IMPRIMIR FOLHA DE TESTE"),
                                     QDialogButtonBox::ActionRole);
    m_testSheet->setObjectName(QStringLiteral("FolhaDeTeste"));
    m_reset = buttons->addButton(QStringLiteral("ZERAR"), QDialogButtonBox::ResetRole);
    m_reset->setObjectName(QStringLiteral("Zerar"));
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OK"));
    QPushButton *cancel =
            buttons->addButton(QStringLiteral("CANCELAR"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CANCELAR"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AdjustDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_testSheet, &QPushButton::clicked, this, guard(this, [this] { printTestSheet(); }));
    connect(m_reset, &QPushButton::clicked, this, guard(this, [this] { setTyped(Alignment()); }));

    // From the printer through its values to the test sheet, then ZERAR, OK and CANCELAR.
    QWidget *order[] = { m_printer,   m_right, m_down, m_width, m_height,
                         m_testSheet, m_reset, m_ok,   cancel };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_notice);
    layout->addWidget(buttons);

    // Until the printers are known, only CANCELAR works.
    m_notice->setText(QStringLiteral("PROCURANDO AS IMPRESSORAS…"));
    setListed(false);
    auto listing = std::make_shared<Listing>();
    listing->dialog = this;
    connect(this, &QObject::destroyed, [listing] {
        const std::lock_guard lock(listing->mutex);
        listing->dialog = nullptr;
    });
    std::thread([listing] {
        const SystemPrinter::Installed installed = SystemPrinter::installedPrinters();
        const std::lock_guard lock(listing->mutex);
        if (AdjustDialog *dialog = listing->dialog)
            QMetaObject::invokeMethod(
                    dialog, [dialog, installed] { dialog->listed(installed); },
                    Qt::QueuedConnection);
    }).detach();
}

void AdjustDialog::listed(const SystemPrinter::Installed &installed)
{
    m_systemDefault = installed.systemDefault;
    m_printer->addItem(
            QStringLiteral("PADRÃO DO SISTEMA (%1)")
                    .arg(m_systemDefault.isEmpty() ? QStringLiteral("NENHUMA") : m_systemDefault),
            QString());
    for (const QString &name : installed.printers)
        m_printer->addItem(name, name);
    const QString chosen = SlipSettings().chosenPrinter();
    if (!chosen.isEmpty() && m_printer->findData(chosen) < 0)
        m_printer->addItem(chosen + QStringLiteral(" (NÃO INSTALADA)"), chosen);
    m_printer->setCurrentIndex(std::max(0, m_printer->findData(chosen)));
    connect(m_printer, &QComboBox::currentIndexChanged, this, guard(this, [this] { showSaved(); }));
    setListed(true);
    m_printer->setFocus(); // it started on CANCELAR, the only control that worked
    showSaved();
}

void AdjustDialog::setListed(bool listed)
{
    for (QWidget *control : std::initializer_list<QWidget *> {
                 m_printer, m_right, m_down, m_width, m_height, m_testSheet, m_reset, m_ok })
        control->setEnabled(listed);
}

QString AdjustDialog::chosen() const
{
    return m_printer->currentData().toString();
}

QString AdjustDialog::printer() const
{
    return chosen().isEmpty() ? m_systemDefault : chosen();
}

Alignment AdjustDialog::typed() const
{
    for (QDoubleSpinBox *field : { m_right, m_down, m_width, m_height }) {
        if (!field->hasAcceptableInput())
            throw CommandError(errors::TypeMismatch,
                               QStringLiteral("\"%1\" EM %2 NÃO É UM VALOR VÁLIDO: DIGITE UM "
                                              "NÚMERO DE %3 A %4%5.")
                                       .arg(field->text(), field->accessibleName(),
                                            decimal(field->minimum()), decimal(field->maximum()),
                                            field->suffix()));
    }
    return { m_right->value(), m_down->value(), m_width->value(), m_height->value() };
}

void AdjustDialog::setTyped(const Alignment &alignment)
{
    m_right->setValue(alignment.right);
    m_down->setValue(alignment.down);
    m_width->setValue(alignment.width);
    m_height->setValue(alignment.height);
}

void AdjustDialog::showSaved()
{
    const SlipSettings::Saved saved = SlipSettings().alignmentFor(printer());
    setTyped(saved.alignment);
    const QString unused = QStringLiteral(" E NÃO SERÃO USADOS: VALEM 0 MM E 100 % ATÉ QUE "
                                          "OUTROS SEJAM SALVOS.");
    switch (saved.fault) {
    case SlipSettings::Saved::Good:
        return m_notice->clear();
    case SlipSettings::Saved::NotANumber:
        return m_notice->setText(
                QStringLiteral("OS VALORES SALVOS PARA \"%1\" NÃO SÃO NÚMEROS VÁLIDOS%2")
                        .arg(printer(), unused));
    case SlipSettings::Saved::OutOfRange:
        return m_notice->setText(
                QStringLiteral("OS VALORES SALVOS PARA \"%1\" ESTÃO FORA DOS LIMITES (%2)%3")
                        .arg(printer(), bounds(), unused));
    }
}

SystemPrinter AdjustDialog::typedPrinter() const
{
    const Alignment alignment = typed();
    return SystemPrinter(m_mark, chosen(), [alignment](const QString &) { return alignment; });
}

void AdjustDialog::printTestSheet()
{
    SystemPrinter sheet = typedPrinter();
    sheet.ensureAvailable();
    sheet.printTestSheet();
    m_notice->setText(QStringLiteral("FOLHA DE TESTE ENVIADA PARA \"%1\".").arg(sheet.name()));
}

void AdjustDialog::accept()
{
    guarded(this, [this] {
        const Alignment values = typed();
        SystemPrinter check = typedPrinter();
        try {
            check.ensureAvailable();
        } catch (const CommandError &error) {
            // Values that put a mark off the paper are refused; a printer out of reach now cannot
            // be asked its paper, and IMPRIMIR checks again before it prints.
            if (error.number() == errors::InvalidArgument)
                throw;
        }
        if (const QString why = SlipSettings().save(chosen(), printer(), values); !why.isEmpty())
            throw CommandError(errors::PermissionDenied, why);
        QDialog::accept();
    });
}

} // namespace dezenario
