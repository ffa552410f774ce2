#include "mode_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>

#include "focus_keeper.h"
#include "layout.h"

namespace {

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

}  // namespace

ModeWindow::ModeWindow(const char* objectName, Mode ownMode, QWidget* parent)
    : QMainWindow(parent), ownMode(ownMode) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QStringLiteral("Vistamarq"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/vistamarq.png")));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());

    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("client"));
    clientArea->setFixedSize(Pixels(6855), Pixels(5175));
    setCentralWidget(clientArea);

    mnuFile = AddMenu(menuBar(), "mnuFile", QStringLiteral("&File"));
    mnuExit = AddItem(mnuFile, "mnuExit", QStringLiteral("&Exit"));
    connect(mnuExit, &QAction::triggered, this, &ModeWindow::exitRequested);

    QMenu* mnuMode = AddMenu(menuBar(), "mnuMode", QStringLiteral("&Search Mode"));
    mnuType = AddItem(mnuMode, "mnuType", QStringLiteral("&Search by Type"));
    mnuPartNo = AddItem(mnuMode, "mnuPartNo", QStringLiteral("&Search by Part Number"));
    for (QAction* item : {mnuType, mnuPartNo})
        item->setCheckable(true);
    if (ownMode == Mode::Type) {
        connect(mnuType, &QAction::triggered, this, &ModeWindow::CheckOwnMode);
        connect(mnuPartNo, &QAction::triggered, this, &ModeWindow::partNoModeRequested);
    } else {
        connect(mnuType, &QAction::triggered, this, &ModeWindow::typeModeRequested);
        connect(mnuPartNo, &QAction::triggered, this, &ModeWindow::CheckOwnMode);
    }
    CheckOwnMode();

    QMenu* mnuTools = AddMenu(menuBar(), "mnuTools", QStringLiteral("&Tools"));
    QAction* mnuCoverage = AddItem(mnuTools, "mnuCoverage", QStringLiteral("&Coverage\u2026"));
    mnuCoverage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    connect(mnuCoverage, &QAction::triggered, this, &ModeWindow::coverageRequested);

    QMenu* mnuHelp = AddMenu(menuBar(), "mnuHelp", QStringLiteral("&Help"));
    QAction* mnuAbout = AddItem(mnuHelp, "mnuAbout", QStringLiteral("&About Vistamarq..."));
    connect(mnuAbout, &QAction::triggered, this, &ModeWindow::aboutRequested);

    new FocusKeeper(this);
    connect(qApp, &QApplication::focusChanged, this, &ModeWindow::FollowFocus);
}

// The focus moves while the window's widgets are torn down; by then no override may run.
ModeWindow::~ModeWindow() {
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void ModeWindow::FinishLayout() {
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen(this);
}

void ModeWindow::SetMode(Mode mode) {
    mnuType->setChecked(mode == Mode::Type);
    mnuPartNo->setChecked(mode == Mode::PartNumber);
}

// The menu bar takes the focus while it is used from the keyboard and gives it back when the
// menu closes: for the window's controls the focus never left.
void ModeWindow::FollowFocus(QWidget* old, QWidget* now) {
    if (now && now == menuBar()) {
        focusBeforeMenuBar = old;
        return;
    }
    if (old && old == menuBar()) {
        old = focusBeforeMenuBar;
        focusBeforeMenuBar = nullptr;
        if (old == now)
            return;
    }
    OnFocusChanged(old, now);
}

void ModeWindow::OnFocusChanged(QWidget*, QWidget*) {}

void ModeWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit exitRequested();
}
