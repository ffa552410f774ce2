#include "results_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <string_view>

#include "qt_text.h"

namespace {

constexpr int kColumns = 3;

// What each result is, for its tooltip; a result not listed here is told by its caption.
QString WhatItIs(std::string_view id) {
    const std::pair<std::string_view, const char*> said[] = {
        {"angleH", "The angle the lens sees across the picture"},
        {"angleV", "The angle the lens sees up and down the picture"},
        {"angleD", "The angle the lens sees from corner to corner"},
        {"sceneWidth", "How wide a scene the picture shows at the target"},
        {"sceneHeight", "How tall a scene the picture shows at the target"},
        {"density",
         "Pixel density across the scene at the target: what the DORI levels are measured by"},
        {"level",
         "The highest DORI level of EN 62676-4 that the pixel density reaches at the "
         "target"},
        {"slantDistance", "How far the target is from the camera along the line of sight"},
        {"tiltAngle", "The tilt of the lens axis below the horizontal"},
        {"blindZone", "Nearer the pole than this, a target at its height is not seen whole"},
        {"nearEdgeGround", "How far from the pole the lower edge of the view meets the ground"},
        {"farEdgeGround", "How far from the pole the upper edge of the view meets the ground"},
        {"lookDownAngle",
         "The angle below the horizontal at which the camera sees the target: faces seen from "
         "high above are hard to recognise"},
    };
    for (const auto& [field, text] : said) {
        if (field == id)
            return QString::fromUtf8(text);
    }
    return {};
}

}  // namespace

ResultsPanel::ResultsPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("What the camera sees"), parent) {
    setObjectName(QStringLiteral("results"));
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(grid->verticalSpacing() / 2);
    for (int i = 0; i < kColumns; ++i)
        grid->setColumnStretch(i, 1);
    // The captions quieter than their figures, in light and dark palettes alike.
    QFont captionFont = font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 0.9);
    QPalette captionPalette = palette();
    QColor quiet = captionPalette.color(QPalette::WindowText);
    quiet.setAlphaF(0.7f);
    captionPalette.setColor(QPalette::WindowText, quiet);
    const auto list = ResultList(CoverageTexts{});
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ResultItem& result = list[i];
        const QString caption = ToQString(result.caption);
        const QString tip = WhatItIs(result.id);
        auto* cell = new QWidget;
        auto* lines = new QVBoxLayout(cell);
        lines->setContentsMargins(0, 0, 0, 0);
        lines->setSpacing(0);
        auto* name = new QLabel(caption);
        name->setFont(captionFont);
        name->setPalette(captionPalette);
        name->setWordWrap(true);
        name->setToolTip(tip.isEmpty() ? caption : tip);
        auto* value = new QLabel;
        value->setObjectName(
            QString::fromLatin1(result.id.data(), static_cast<int>(result.id.size())));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        value->setToolTip(name->toolTip());
        if (result.id == "level") {
            QFont emphasis = value->font();
            emphasis.setBold(true);
            emphasis.setPointSizeF(emphasis.pointSizeF() * 1.25);
            value->setFont(emphasis);
        }
        lines->addWidget(name);
        lines->addWidget(value);
        lines->addStretch();
        const int place = static_cast<int>(i);
        grid->addWidget(cell, place / kColumns, place % kColumns);
        m_values.push_back(value);
        if (result.id == "lookDownAngle")
            m_lookDownCell = cell;
        else if (result.mountingOnly)
            m_mountingCells.push_back(cell);
    }
    column->addLayout(grid);

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_message->font();
    bold.setBold(true);
    m_message->setFont(bold);
    m_message->hide();
    column->addWidget(m_message);

    m_warning = new QLabel;
    m_warning->setObjectName(QStringLiteral("warning"));
    m_warning->setWordWrap(true);
    m_warning->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_warning->hide();
    column->addWidget(m_warning);
}

void ResultsPanel::Show(const Coverage& coverage, const CoverageInputs& inputs,
                        const QString& message) {
    const bool mounted = inputs.mounted;
    const auto list = ResultList(coverage.texts);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const QString text = ToQString(list[i].text);
        if (m_values[i]->text() == text)
            continue;
        m_values[i]->setText(text);
        m_values[i]->setAccessibleName(ToQString(list[i].caption) + QStringLiteral(": ") + text);
    }
    if (!m_mountingCells.empty() && m_mountingCells.front()->isVisibleTo(this) != mounted) {
        for (QWidget* cell : m_mountingCells)
            cell->setVisible(mounted);
    }
    // Last in the list, alone on its row: hidden, the row takes no room.
    if (m_lookDownCell && m_lookDownCell->isVisibleTo(this) != (mounted && !inputs.tiltAimed))
        m_lookDownCell->setVisible(mounted && !inputs.tiltAimed);
    if (m_message->text() != message)
        m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
    const QString warning = ToQString(coverage.warning);
    if (m_warning->text() != warning)
        m_warning->setText(warning);
    m_warning->setVisible(!warning.isEmpty());

    // The level's tooltip: what the level shown means.
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].id != "level")
            continue;
        const std::optional<int> level = LevelShown(coverage.figures);
        const QString tip = level ? ToQString(LevelMeaning(*level)) : WhatItIs("level");
        if (m_values[i]->toolTip() != tip)
            m_values[i]->setToolTip(tip);
    }
}
