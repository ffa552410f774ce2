#include "about_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "layout.h"

About::About(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("Vistamarq") + QString(61, u' ') + QStringLiteral("v1.2"));
    setFont(DialogFont());

    auto* Command1 =
        Place(new QPushButton(QStringLiteral("OK"), this), "Command1", {2505, 4680, 1815, 615});
    connect(Command1, &QPushButton::clicked, this, &About::Command1_Click);
    MakeLogoBanner(this, {225, 240, 6375, 1215}, true);

    struct Line {
        const char* name;
        QString caption;
        int top;
        bool bold;
    };
    const Line lines[] = {
        {"Label1", QStringLiteral("Vistamarq"), 1800, true},
        {"Label2", QStringLiteral("Version 1.2  (English)"), 2040, false},
        {"Label3", QStringLiteral("Updated:  May 8, 2009"), 2280, false},
        {"Label4", QStringLiteral("Optarion Optics Ltd."), 3000, true},
        {"Label5", QStringLiteral("17 Lantern Way, Meridian Business Park"), 3240, false},
        {"Label6", QStringLiteral("Harwick HW4 9QZ, United Kingdom"), 3480, false},
        {"Label7", QStringLiteral("Tel. +44 (0)20 7946 0815"), 3720, false},
    };
    for (const Line& line : lines) {
        auto* label = Place(new QLabel(line.caption, this), line.name, {120, line.top, 6495, 255});
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(DialogFont(line.bold));
    }

    resize(Pixels(6825), Pixels(5445));
    CentreOnScreen(this);
}

void About::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command1_Click();
}
