// Answers the modal boxes that show while it lives, in order, as each shows: a click on the
// button of the answer's caption but the default one; else Enter, with the answer typed into an
// input box; Esc for a null answer or when none is left. Each box is handed to look first, to be
// read before it closes, or kept open by it (property "unanswered"). A progress dialog is left
// to close by itself.
#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace dezenario::test {
struct BoxAnswerer
{
    explicit BoxAnswerer(QStringList answers, std::function<void(QDialog *)> look = {})
        : answers(std::move(answers))
    {
        QObject::connect(&timer, &QTimer::timeout, [this, look] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            // A progress closes by itself: it is no box to answer.
            if (!box || box == last || qobject_cast<QProgressDialog *>(box))
                return;
            last = box;
            if (look)
                look(box);
            if (box->property("unanswered").toBool()) // the look goes on with it, and closes it
                return;
            const QString answer = this->answers.isEmpty() ? QString() : this->answers.takeFirst();
            // From the event loop, not from this timer's slot: a box that the answer opens in turn
            // (an error box after OK) is then answered too, as Qt never fires a timer inside its
            // own slot.
            QTimer::singleShot(0, box, [box, answer] {
                if (auto *input = qobject_cast<QInputDialog *>(box); input && !answer.isNull())
                    input->setTextValue(answer);
                for (QPushButton *button : box->findChildren<QPushButton *>())
                    if (button->text() == answer && !button->isDefault())
                        return QTest::mouseClick(button, Qt::LeftButton);
                QTest::keyClick(box, answer.isNull() ? Qt::Key_Escape : Qt::Key_Return);
            });
        });
        timer.start(0);
    }
    QStringList answers; // those not given yet
    QPointer<QDialog> last;
    QTimer timer;
};
} // namespace dezenario::test
