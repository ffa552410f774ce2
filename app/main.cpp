#include <QApplication>

#include "layout.h"
#include "module1.h"
#include "recovery_finder.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistamarq"));
    RegisterFontSubstitutes();
    Module1 windows;
    // The program takes no options: what it is given is a design file to open, as the desktop's
    // "Open with" gives it. Opened once the main window is framed, so that the design window is
    // placed beside its frame. A design left unsaved by a program that was killed opens the
    // design window, which offers it back.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        windows.WhenMainWindowFramed(
            [&windows, path = arguments.at(1)] { windows.OpenDesignFile(path); });
    else if (FindRecoveryCopy())
        windows.WhenMainWindowFramed([&windows] { windows.ShowCoverage(); });
    return QApplication::exec();
}
