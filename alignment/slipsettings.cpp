#include "slipsettings.h"

#include <QCoreApplication>
#include <QUrl>
#include <array>
#include <cmath>

namespace dezenario {

namespace {
const QString Chosen = QStringLiteral("volantes/impressora");

// Printer names may hold any character, slashes and backslashes too, which QSettings reads as
// groups: each name becomes a group of its own, percent-encoded ('%' included, so no two meet).
QString groupOf(const QString &printer)
{
    return QStringLiteral("impressoras/")
            + QString::fromLatin1(
                    QUrl::toPercentEncoding(printer.isEmpty() ? QStringLiteral(" ") : printer));
}

struct Field
{
    const char *key;
    double Alignment::*value;
};
constexpr std::array<Field, 4> Fields { { { "direita", &Alignment::right },
                                          { "abaixo", &Alignment::down },
                                          { "largura", &Alignment::width },
                                          { "altura", &Alignment::height } } };
} // namespace

SlipSettings::SlipSettings()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope,
                 QCoreApplication::organizationName(), QCoreApplication::applicationName())
{
}

QString SlipSettings::chosenPrinter() const
{
    return m_settings.value(Chosen).toString();
}

SlipSettings::Saved SlipSettings::alignmentFor(const QString &printer) const
{
    Saved saved;
    m_settings.beginGroup(groupOf(printer));
    for (const Field &field : Fields) {
        const QVariant stored = m_settings.value(QLatin1String(field.key));
        if (!stored.isValid())
            continue;
        bool ok = false;
        // Written in the C locale, whatever the user's; a hand-edited comma is no number.
        const double value = stored.toString().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            saved.fault = Saved::NotANumber;
        saved.alignment.*field.value = value;
    }
    m_settings.endGroup();
    if (saved.fault == Saved::Good && !saved.alignment.inRange())
        saved.fault = Saved::OutOfRange;
    if (saved.fault != Saved::Good)
        saved.alignment = Alignment();
    return saved;
}

QString SlipSettings::save(const QString &chosen, const QString &printer,
                           const Alignment &alignment)
{
    m_settings.setValue(Chosen, chosen);
    m_settings.beginGroup(groupOf(printer));
    for (const Field &field : Fields)
        m_settings.setValue(QLatin1String(field.key),
                            QString::number(alignment.*field.value, 'f', 1));
    m_settings.endGroup();
    m_settings.sync();
    switch (m_settings.status()) {
    case QSettings::NoError:
        return QString();
    case QSettings::AccessError:
        return QStringLiteral("NADA FOI SALVO: NÃO É POSSÍVEL GRAVAR EM %1. VERIFIQUE SE VOCÊ "
                              "PODE ESCREVER NESSE LUGAR.")
                .arg(m_settings.fileName());
    case QSettings::FormatError:
        break;
    }
    return QStringLiteral("NADA FOI SALVO: AS CONFIGURAÇÕES EM %1 ESTÃO DANIFICADAS.")
            .arg(m_settings.fileName());
}

} // namespace dezenario
