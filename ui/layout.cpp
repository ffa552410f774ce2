#include "layout.h"

#include <QGuiApplication>
#include <QLabel>
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
    return banner;
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
