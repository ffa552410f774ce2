#include "focus_keeper.h"

#include <QApplication>
#include <QEvent>
#include <QMenuBar>

FocusKeeper::FocusKeeper(QWidget* window) : QObject(window), window(window) {
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FollowFocus(now); });
}

// Only what the user sees counts: focus moves inside a hidden window are the window system's.
void FocusKeeper::FollowFocus(QWidget* now) {
    if (now && now->window() == window && window->isVisible() && !qobject_cast<QMenuBar*>(now))
        lastFocus = now;
}

// Set while the window is not yet active, the focus moves without any focus event; it arrives
// at the control when the window is activated, as if it had never left.
bool FocusKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window && event->type() == QEvent::Show && lastFocus &&
        window->focusWidget() != lastFocus && lastFocus->isEnabled())
        lastFocus->setFocus(Qt::OtherFocusReason);
    return QObject::eventFilter(watched, event);
}
