#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Gives a window's focus back to the control that last held it whenever the window is shown
// again. Qt alone does not: a window hidden while it is active can be activated once more by
// the window system after it is hidden, and Qt then moves its focus to the next control, since
// a control of a hidden window counts as not visible. The menu bar, which holds the focus only
// while it is used from the keyboard, is never the control to come back to.
class FocusKeeper : public QObject {
  public:
    explicit FocusKeeper(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FollowFocus(QWidget* now);

    QWidget* window;
    QPointer<QWidget> lastFocus;
};
