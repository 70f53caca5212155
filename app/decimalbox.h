#pragma once

#include <QDoubleSpinBox>

namespace dezenario {

// A value typed with either mark as its decimal point, for Brazilians type both; the field shows
// the user's own. No value these fields take reaches a thousand, so neither mark is ever read as a
// thousands separator, and a value that cannot be read stays as typed until OK refuses it.
class DecimalBox : public QDoubleSpinBox
{
public:
    using QDoubleSpinBox::QDoubleSpinBox;
    QValidator::State validate(QString &input, int &pos) const override;
    double valueFromText(const QString &text) const override;

protected:
    // The spin box puts its last good value back when the focus leaves, or on Enter; a value
    // that cannot be read is left as typed, for OK to name it.
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString withOwnPoint(QString text) const;
};

} // namespace dezenario
