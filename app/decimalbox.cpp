#include "decimalbox.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace dezenario {

QValidator::State DecimalBox::validate(QString &input, int &pos) const
{
    const QString group = locale().groupSeparator();
    if (!group.isEmpty() && group != u'.' && group != u',' && input.contains(group))
        return QValidator::Invalid;
    input = withOwnPoint(input);
    return QDoubleSpinBox::validate(input, pos);
}

double DecimalBox::valueFromText(const QString &text) const
{
    return QDoubleSpinBox::valueFromText(withOwnPoint(text));
}

void DecimalBox::focusOutEvent(QFocusEvent *event)
{
    if (hasAcceptableInput())
        return QDoubleSpinBox::focusOutEvent(event);
    lineEdit()->event(event);
    QWidget::focusOutEvent(event);
}

void DecimalBox::keyPressEvent(QKeyEvent *event)
{
    if (!hasAcceptableInput() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        return event->ignore(); // to the dialog's OK
    QDoubleSpinBox::keyPressEvent(event);
}

QString DecimalBox::withOwnPoint(QString text) const
{
    const QChar point = locale().decimalPoint().front();
    for (QChar &c : text)
        if (c == u'.' || c == u',')
            c = point;
    return text;
}

} // namespace dezenario
