#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "support/Wait.h"

namespace tremolux::test {

// Calls action with the dialog of type T as soon as it is the active modal
// widget, from inside the modal loop that runs it. A dialog that never
// shows fails the test, and whatever modal dialog is open then is rejected
// so that the test does not hang.
template <typename T, typename Action>
void WhenModal(Action action, int timeoutMs = 5000)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs]() mutable {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " was shown";
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                open->reject();
        }
    });
    timer->start(5);
}

// Watches, while it lives, for a dialog of type T becoming modal; one that
// does is counted and rejected. For showing that no such dialog opens.
template <typename T>
class ModalWatcher {
public:
    ModalWatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                ++m_count;
                dialog->reject();
            }
        });
        m_timer.start(5);
    }

    int count() const { return m_count; }

private:
    QTimer m_timer;
    int m_count = 0;
};

// Key presses as the keyboard delivers them, propagated to the parents of
// a widget that ignores them.
inline void PressKey(QWidget* widget, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        PressKey(widget, c.unicode(), QString(c));
}

}  // namespace tremolux::test
