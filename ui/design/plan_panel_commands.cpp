// The plan panel's commands that ask the user something: a drawing to import, its scale, a new
// plan's name, the paper of an export.
#include "plan_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QThreadPool>
#include <QUndoStack>
#include <cmath>

#include "design_document.h"
#include "design_edits.h"
#include "design_report.h"
#include "plan_images.h"
#include "plan_look_bar.h"
#include "plan_paper_dialog.h"
#include "qt_text.h"

void PlanPanel::view_ScalePointsChosen(QPointF a, QPointF b) {
    const double pixels = std::hypot(b.x() - a.x(), b.y() - a.y());
    if (!(pixels >= 1)) {
        m_status->setText(QStringLiteral("Click two points apart on the drawing."));
        return;
    }
    const LengthUnit unit = m_document.Current().unit;
    bool ok = false;
    const double distance =
        QInputDialog::getDouble(this, QStringLiteral("Set Scale"),
                                QStringLiteral("The real distance between the two points (%1):")
                                    .arg(ToQString(UnitSymbol(unit))),
                                1.0, 0.001, 1e6, 3, &ok);
    if (ok)
        Rescale(distance * MetresPerUnit(unit) / pixels);
}

void PlanPanel::Rescale(double metresPerPixel) {
    m_document.RescalePlan(m_planId, metresPerPixel);
    m_status->clear();
    // The drawing grows or shrinks in metres: shown whole again, as it was before.
    m_view->FitPlan();
}

void PlanPanel::importPlan_Triggered() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Import Plan Drawing"), QString(),
        QStringLiteral("Plan drawings (*.png *.jpg *.jpeg *.svg *.pdf);;All files (*)"));
    if (path.isEmpty())
        return;
    // Checking a drawing decodes it whole, seconds for a large one: off the window's thread.
    m_importPlan->setEnabled(false);
    m_status->setText(QStringLiteral("Reading %1\u2026").arg(QFileInfo(path).fileName()));
    QThreadPool::globalInstance()->start([panel = QPointer<PlanPanel>(this), path] {
        auto read = std::make_shared<std::variant<ImportedPlanFile, QString>>(ReadPlanFile(path));
        QMetaObject::invokeMethod(qApp, [panel, path, read] {
            if (panel)
                panel->ImportRead(path, *read);
        });
    });
}

void PlanPanel::ImportRead(const QString& path,
                           const std::variant<ImportedPlanFile, QString>& read) {
    m_importPlan->setEnabled(true);
    m_status->clear();
    if (const auto* message = std::get_if<QString>(&read)) {
        QMessageBox::warning(this, QStringLiteral("Import Plan Drawing"), *message);
        return;
    }
    const ImportedPlanFile& file = std::get<ImportedPlanFile>(read);
    int page = 0;
    if (file.pageCount > 1) {
        bool ok = false;
        page = QInputDialog::getInt(this, QStringLiteral("Import Plan Drawing"),
                                    QStringLiteral("The page of %1 to put under the plan:")
                                        .arg(QFileInfo(path).fileName()),
                                    1, 1, file.pageCount, 1, &ok) -
               1;
        if (!ok)
            return;
    }
    m_images.Add(file.blob);
    QUndoStack& history = m_document.UndoStack();
    history.beginMacro(QStringLiteral("Import Plan Drawing"));
    if (m_planId.empty())
        m_planId = m_document.AddPlan(QFileInfo(path).completeBaseName().toStdU16String());
    m_document.SetPlanImage(m_planId, file.blob.sha256.toStdString(), page);
    history.endMacro();
    ShowPlan(m_planId, true);
    m_status->setText(QStringLiteral("Set the scale: click two points a known distance apart."));
    m_view->SetTool(PlanView::Tool::SetScale);
    for (QAction* action : m_tools->actions())
        action->setChecked(action->data().toInt() == static_cast<int>(PlanView::Tool::SetScale));
}

void PlanPanel::exportPlan_Triggered() {
    const Design& design = m_document.Current();
    const Plan* plan = FindPlan(design, m_planId);
    if (!plan)
        return;
    const std::optional<PlanPaperChoice> paper = AskPlanPaper(this, m_paper);
    if (!paper)
        return;
    m_paper = *paper;
    QString name = ToQString(plan->name.empty() ? design.name : plan->name);
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Plan"),
        (name.isEmpty() ? QStringLiteral("plan") : name) + QStringLiteral(".pdf"),
        QStringLiteral("PDF (*.pdf);;PNG picture (*.png)"));
    if (path.isEmpty())
        return;
    const QString date = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
    PlanSheet sheet =
        PlanSheetFor(design, *plan, date, m_images.UsedBy(design), m_format, *m_scene);
    sheet.look = m_look->Look();
    const PlanPaper on{m_paper.size, m_paper.orientation, m_paper.scale};
    std::optional<QString> failure;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        // The sheet at 150 dots per inch.
        QSizeF inches = m_paper.size.size(QPageSize::Inch);
        if (m_paper.orientation == QPageLayout::Landscape)
            inches.transpose();
        failure = ExportPlanPng(path, sheet, (inches * 150).toSize());
    } else {
        failure = ExportPlanPdf(path, sheet, on);
    }
    if (failure)
        QMessageBox::warning(this, QStringLiteral("Export Plan"), *failure);
}

void PlanPanel::addPlan_Triggered() {
    bool ok = false;
    const QString name = QInputDialog::getText(
        this, QStringLiteral("New Plan"), QStringLiteral("Name of the plan:"), QLineEdit::Normal,
        QStringLiteral("Plan %1").arg(m_document.Current().plans.size() + 1), &ok);
    if (!ok)
        return;
    const std::string id = m_document.AddPlan(name.toStdU16String());
    if (!id.empty())
        ShowPlan(id, true);
}

void PlanPanel::renamePlan_Triggered() {
    const Plan* plan = FindPlan(m_document.Current(), m_planId);
    if (!plan)
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Rename Plan"),
                                               QStringLiteral("Name of the plan:"),
                                               QLineEdit::Normal, ToQString(plan->name), &ok);
    if (ok)
        m_document.RenamePlan(m_planId, name.toStdU16String());
}

void PlanPanel::removePlan_Triggered() {
    // Undo brings it back, with its cameras on it: no question.
    m_document.RemovePlan(m_planId);
}

void PlanPanel::typeScale_Triggered() {
    const Plan* plan = FindPlan(m_document.Current(), m_planId);
    if (!plan)
        return;
    bool ok = false;
    const double metresPerPixel = QInputDialog::getDouble(
        this, QStringLiteral("Type Scale"), QStringLiteral("Metres per pixel of the drawing:"),
        plan->metresPerPixel.value_or(kUnscaledMetresPerPixel), 1e-6, kMostMetresPerPixel, 6, &ok);
    if (ok)
        Rescale(metresPerPixel);
}
