#include "plan_paper_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace {

QComboBox* Choices(const char* name) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

std::optional<PlanPaperChoice> AskPlanPaper(QWidget* parent, const PlanPaperChoice& start) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Export Plan"));
    QComboBox* paper = Choices("paper");
    for (const QPageSize::PageSizeId id :
         {QPageSize::A4, QPageSize::A3, QPageSize::A2, QPageSize::A1, QPageSize::A0,
          QPageSize::Letter, QPageSize::Tabloid}) {
        paper->addItem(QPageSize::name(id), static_cast<int>(id));
    }
    paper->setCurrentIndex(std::max(0, paper->findData(static_cast<int>(start.size.id()))));
    QComboBox* orientation = Choices("orientation");
    orientation->addItem(QStringLiteral("Landscape"), static_cast<int>(QPageLayout::Landscape));
    orientation->addItem(QStringLiteral("Portrait"), static_cast<int>(QPageLayout::Portrait));
    orientation->setCurrentIndex(orientation->findData(static_cast<int>(start.orientation)));
    QComboBox* scale = Choices("scale");
    scale->addItem(QStringLiteral("Fit to the paper"), 0);
    for (const int denominator : kPlanScales)
        scale->addItem(QStringLiteral("1:%1").arg(denominator), denominator);
    scale->setCurrentIndex(std::max(0, scale->findData(start.scale.value_or(0))));

    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("&Paper:"), paper);
    form->addRow(QStringLiteral("&Orientation:"), orientation);
    form->addRow(QStringLiteral("&Scale:"), scale);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PlanPaperChoice choice;
    choice.size = QPageSize(static_cast<QPageSize::PageSizeId>(paper->currentData().toInt()));
    choice.orientation = static_cast<QPageLayout::Orientation>(orientation->currentData().toInt());
    if (const int denominator = scale->currentData().toInt(); denominator > 0)
        choice.scale = denominator;
    return choice;
}
