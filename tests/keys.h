// Fields typed into and lists chosen from as a user does it, by keys.
#pragma once

#include <QComboBox>
#include <QTest>

namespace dezenario::test {
// Types into a field as a user does: the old text selected and typed over.
inline void type(QWidget *field, const QString &text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

// Chooses an item of a list by its keys: Home, then Down until it shows.
inline void choose(QComboBox *box, const QString &item)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < box->count() && box->currentText() != item; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentText(), item);
}

} // namespace dezenario::test
