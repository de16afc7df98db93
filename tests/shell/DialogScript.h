#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

// Runs \a step once \a dialog is shown and active (shortcuts need an active window). For dialogs run
// modally by the code under test: the step drives the dialog from inside its event loop.
inline void WhenShown(QDialog& dialog, std::function<void()> step)
{
    auto* timer = new QTimer(&dialog);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, &dialog, [timer, &dialog, step]() {
        if (!dialog.isVisible())
            return;
        if (QApplication::activeWindow() != &dialog) {
            dialog.activateWindow();
            return;
        }
        timer->stop();
        timer->deleteLater();
        step();
    });
    timer->start();
}

// Runs \a step on the next modal dialog of type \a T the code under test opens.
template <typename T>
void WhenDialogShown(std::function<void(T&)> step)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step]() {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (QApplication::activeWindow() != dialog) {
            dialog->activateWindow();
            return;
        }
        timer->stop();
        timer->deleteLater();
        step(*dialog);
    });
    timer->start();
}

// A key pressed where the keyboard focus is, as the user would.
inline void Press(Qt::Key key)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QTest::keyClick(target, key);
}

// Types \a text into \a widget character by character, as the user would (QTest::keyClicks knows only ASCII).
inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
