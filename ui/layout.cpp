#include "layout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

void RegisterFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

static QFont MakeFont(const QString& family, double pointSize, bool bold, bool italic) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont ArialFont(double pointSize, bool bold, bool italic) {
    return MakeFont(QStringLiteral("Arial"), pointSize, bold, italic);
}

QFont DialogFont(bool bold) {
    return MakeFont(QStringLiteral("MS Sans Serif"), 8.25, bold, false);
}

QLabel* MakeLogoBanner(QWidget* parent, TwipRect r, bool sunken) {
    auto* banner = Place(new QLabel(parent), "Picture1", r);
    if (sunken) {
        banner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        banner->setLineWidth(2);
        banner->setBackgroundRole(QPalette::Button);
    } else {
        banner->setFrameStyle(QFrame::Box | QFrame::Plain);
        banner->setLineWidth(1);
        banner->setBackgroundRole(QPalette::Window);
        banner->setForegroundRole(QPalette::WindowText);
    }
    banner->setAutoFillBackground(true);
    banner->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    banner->setPixmap(QPixmap(QStringLiteral(":/assets/logo.png")));
    banner->setAccessibleName(QStringLiteral("Optarion, CCTV lenses"));
    return banner;
}

namespace {

// Any widget, even a bare frame, is an object that assistive technology lists (inside a group
// box it is even named after the group); a line painted by its container is not.
class LinePainter : public QObject {
  public:
    LinePainter(QWidget* container, QRect line) : QObject(container), line(line) {
        container->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != parent() || event->type() != QEvent::Paint)
            return false;
        auto* container = static_cast<QWidget*>(watched);
        static_cast<QObject*>(container)->event(event);  // the container's own painting first
        QPainter(container).fillRect(line, container->palette().brush(QPalette::WindowText));
        return true;
    }

  private:
    QRect line;
};

}  // namespace

void DrawLine(QWidget* container, const char* objectName, TwipRect r) {
    auto* painter = new LinePainter(container, ToPixels(r));
    painter->setObjectName(QString::fromLatin1(objectName));
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
