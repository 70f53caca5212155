// Driving the real window: answers to its modal boxes, and what its list shows.
#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace dezenario::test {

// The entries List1 shows, in order.
inline QStringList listEntries(const QWidget *window)
{
    const auto *list = window->findChild<QListWidget *>(QStringLiteral("List1"));
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

// Answers the window's modal boxes as a user would, one action per box, in order.

class ModalAnswers : public QObject
{
public:
    using Action = std::function<void(QWidget *)>;

    explicit ModalAnswers(QList<Action> actions) : m_actions(std::move(actions))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswers::poll);
        m_timer.start(5);
    }
    bool done() const { return m_actions.isEmpty(); }
    QStringList seen; // window title and text of every box answered

    static Action type(const QString &answer)
    {
        return [answer](QWidget *w) {
            auto *dialog = qobject_cast<QInputDialog *>(w);
            Q_ASSERT(dialog);
            dialog->setTextValue(answer);
            dialog->accept();
        };
    }
    static Action cancel()
    {
        return [](QWidget *w) { static_cast<QDialog *>(w)->reject(); };
    }
    static Action press(const QString &buttonText)
    {
        return [buttonText](QWidget *w) {
            for (QPushButton *button : w->findChildren<QPushButton *>()) {
                if (button->text() == buttonText) {
                    button->click();
                    return;
                }
            }
            Q_ASSERT_X(false, "press", qPrintable(buttonText));
        };
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last || m_actions.isEmpty())
            return;
        m_last = modal;
        if (auto *input = qobject_cast<QInputDialog *>(modal))
            seen << input->windowTitle() << input->labelText();
        else if (auto *box = qobject_cast<QMessageBox *>(modal))
            seen << box->windowTitle() << box->text();
        else if (auto *prompt = modal->findChild<QLabel *>(QStringLiteral("prompt")))
            seen << modal->windowTitle() << prompt->text();
        m_actions.takeFirst()(modal);
    }

    QList<Action> m_actions;
    QPointer<QWidget> m_last;
    QTimer m_timer;
};

} // namespace dezenario::test
