// The reference for the whole-process benchmark: the least a Qt Widgets program with a window
// and a 50 ms timer costs on this machine, built with the same compiler, flags and Qt.
// With --label the window also shows one line of text, which is what it costs to draw any text
// at all (the font configuration, the font files, the shaping and rasterising libraries).
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(457, 345);
    if (QApplication::arguments().contains(QStringLiteral("--label")))
        new QLabel(QStringLiteral("Focal length"), &window);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [] {});
    timer.start(50);
    window.show();
    return QApplication::exec();
}
