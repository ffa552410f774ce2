// The reference for the whole-process benchmark: the least a Qt Widgets program with a window
// and a 50 ms timer costs on this machine, built with the same compiler, flags and Qt.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(457, 345);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [] {});
    timer.start(50);
    window.show();
    return QApplication::exec();
}
