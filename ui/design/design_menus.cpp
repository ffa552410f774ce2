#include "design_menus.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QUndoStack>

#include "recovery_copies.h"

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys = {},
                 const QString& tip = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setStatusTip(tip);
    action->setToolTip(tip.isEmpty() ? QString(text).remove('&') : tip);
    return action;
}

}  // namespace

DesignMenus::DesignMenus(QMenuBar* bar, QUndoStack& history, QMenu* openRecent, QWidget* window) {
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = AddItem(file, "mnuNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuOpen =
        AddItem(file, "mnuOpen", QStringLiteral("&Open\u2026"), QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuOpenRecent = openRecent;
    mnuOpenRecent->setTitle(QStringLiteral("Open &Recent"));
    mnuOpenRecent->setObjectName(QStringLiteral("mnuOpenRecent"));
    file->addMenu(mnuOpenRecent);
    file->addSeparator();
    mnuSave = AddItem(file, "mnuSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveAs = AddItem(file, "mnuSaveAs", QStringLiteral("Save &As\u2026"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    mnuExportReport =
        AddItem(file, "mnuExportReport", QStringLiteral("Export Re&port (PDF)\u2026"));
    mnuExportSchedule =
        AddItem(file, "mnuExportSchedule", QStringLiteral("Export Sc&hedule (CSV)\u2026"));
    mnuPrintReport = AddItem(file, "mnuPrintReport", QStringLiteral("Pr&int Report\u2026"));
    file->addSeparator();
    mnuCloseDesign = AddItem(file, "mnuCloseDesign", QStringLiteral("&Close Window"),
                             QKeySequence(Qt::CTRL | Qt::Key_W));

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    mnuUndo = history.createUndoAction(window, QStringLiteral("&Undo"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = history.createRedoAction(window, QStringLiteral("&Redo"));
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(mnuUndo);
    edit->addAction(mnuRedo);

    QMenu* camera = bar->addMenu(QStringLiteral("&Camera"));
    camera->setObjectName(QStringLiteral("mnuCamera"));
    mnuAddCamera = AddItem(camera, "mnuAddCamera", QStringLiteral("&Add"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
                           QStringLiteral("A new camera with the selected camera's values"));
    mnuDuplicateCamera = AddItem(camera, "mnuDuplicateCamera", QStringLiteral("&Duplicate"),
                                 QKeySequence(Qt::CTRL | Qt::Key_D),
                                 QStringLiteral("A copy of each selected camera"));
    mnuRemoveCamera =
        AddItem(camera, "mnuRemoveCamera", QStringLiteral("&Remove"), QKeySequence(Qt::Key_Delete),
                QStringLiteral("Removes the selected cameras"));
    camera->addSeparator();
    mnuMoveCameraUp = AddItem(camera, "mnuMoveCameraUp", QStringLiteral("Move &Up"),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up),
                              QStringLiteral("Moves the camera up the design's order"));
    mnuMoveCameraDown = AddItem(camera, "mnuMoveCameraDown", QStringLiteral("Move Do&wn"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down),
                                QStringLiteral("Moves the camera down the design's order"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuAboutDesigns = AddItem(help, "mnuAboutDesigns", QStringLiteral("&About Designs"));
}

void ShowAboutDesigns(QWidget* window) {
    QMessageBox::about(
        window, QStringLiteral("About Designs"),
        QStringLiteral(
            "<p>A design keeps a site's cameras in one file: each camera's sensor, lens, "
            "distance, mounting and the DORI level it must reach.</p>"
            "<p>The schedule lists every camera with its pixel density at the target and "
            "whether it meets its level. Export it as CSV, or the whole design as a PDF "
            "report.</p>"
            "<p>Plan &gt; Site Plan shows the cameras on a scaled site plan: each camera's DORI "
            "levels on the ground, cut by the walls, and the places that must be seen, met or "
            "not.</p>"
            "<p>Design files are written only where you save them. While a design has unsaved "
            "changes, a copy is kept in %1 and offered back if the program ends without "
            "saving.</p>")
            .arg(QDir::toNativeSeparators(RecoveryFolder()).toHtmlEscaped()));
}
