#include <QApplication>

#include "layout.h"
#include "module1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistamarq"));
    RegisterFontSubstitutes();
    Module1 windows;
    return QApplication::exec();
}
