#include "poolinput.h"

#include "commanderror.h"
#include "pool.h"

#include <QRegularExpression>

namespace dezenario::pool {

int readFee(const QString &typed)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})(?:[.,](\\d{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(typed.simplified().remove(u'%').remove(u' '));
    const int fee = match.hasMatch()
            ? match.captured(1).toInt() * 100 + match.captured(2).leftJustified(2, u'0').toInt()
            : -1;
    if (fee < 0 || fee > MostFee)
        throw CommandError(errors::Overflow,
                           QStringLiteral("A TAXA \"%1\" NÃO VALE: DIGITE DE 0 A 35 %, COMO 10 OU "
                                          "2,5.")
                                   .arg(typed.trimmed()));
    return fee;
}

int readCount(const QString &typed, int least, int most, const QString &what)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,3}(?:\\.\\d{3})+|\\d{1,9})$"));
    const QString text = typed.simplified().remove(u' ');
    const int count = form.match(text).hasMatch() ? QString(text).remove(u'.').toInt() : -1;
    if (count < least || count > most)
        throw CommandError(
                errors::Overflow,
                QStringLiteral("%1 \"%2\" NÃO VALE: DIGITE UM NÚMERO INTEIRO DE %3 A %4.")
                        .arg(what, typed.trimmed())
                        .arg(least)
                        .arg(most));
    return count;
}

} // namespace dezenario::pool
