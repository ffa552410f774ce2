#include <QApplication>

#include "layout.h"
#include "module1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistamarq"));
    RegisterFontSubstitutes();
    Module1 windows;
    // The program takes no options: what it is given is a design file to open, as the desktop's
    // "Open with" gives it.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        windows.OpenDesignFile(arguments.at(1));
    return QApplication::exec();
}
