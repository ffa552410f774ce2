#include <QApplication>
#include <QTimer>

#include "layout.h"
#include "module1.h"
#include "recovery_finder.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistamarq"));
    RegisterFontSubstitutes();
    Module1 windows;
    // The program takes no options: what it is given is a design file to open, as the desktop's
    // "Open with" gives it. Opened once the main window is up, so that the design window is
    // placed beside where it is. A design left unsaved by a program that was killed opens the
    // design window, which offers it back.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        QTimer::singleShot(0, &windows,
                           [&windows, path = arguments.at(1)] { windows.OpenDesignFile(path); });
    else if (FindRecoveryCopy())
        QTimer::singleShot(0, &windows, &Module1::ShowCoverage);
    return QApplication::exec();
}
