#include "plan_look_bar.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSlider>
#include <QVBoxLayout>

#include "qt_text.h"

namespace {

// A swatch of the band's colour (or hatching) as the plan draws it, beside its level's name.
QIcon Swatch(const QColor& colour, bool hatched) {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(colour.darker(130), 1));
    painter.setBrush(hatched ? QBrush(colour, Qt::BDiagPattern) : QBrush(colour));
    painter.drawRect(QRectF(0.5, 0.5, 13, 13));
    return QIcon(pixmap);
}

}  // namespace

PlanLookBar::PlanLookBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("planLook"));
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    for (std::size_t i = 0; i < kDoriLevels.size(); ++i) {
        auto* box = new QCheckBox(ToQString(kDoriLevels[i].name));
        box->setObjectName(QStringLiteral("show") + ToQString(kDoriLevels[i].name));
        box->setIcon(Swatch(LevelColour(static_cast<int>(i), dark), false));
        box->setChecked(m_look.levelShown[i]);
        box->setToolTip(QStringLiteral("Show where the cameras reach %1 on the plan")
                            .arg(ToQString(kDoriLevels[i].name)));
        connect(box, &QCheckBox::toggled, this, &PlanLookBar::Control_Change);
        column->addWidget(box);
        m_levels[i] = box;
    }
    m_blindZone = new QCheckBox(QStringLiteral("Blind zone"));
    m_blindZone->setObjectName(QStringLiteral("showBlindZone"));
    m_blindZone->setIcon(Swatch(BlindZoneColour(dark), true));
    m_blindZone->setChecked(m_look.blindZoneShown);
    m_blindZone->setToolTip(
        QStringLiteral("Show the ground below each mounted camera where a target is not in view"));
    column->addWidget(m_blindZone);
    m_labels = new QCheckBox(QStringLiteral("Camera names"));
    m_labels->setObjectName(QStringLiteral("showLabels"));
    m_labels->setChecked(m_look.labels);
    m_labels->setToolTip(QStringLiteral("Write each camera's name beside it"));
    column->addWidget(m_labels);
    auto* opacity = new QLabel(QStringLiteral("Opacity:"));
    m_opacity = new QSlider(Qt::Horizontal);
    m_opacity->setObjectName(QStringLiteral("bandOpacity"));
    m_opacity->setRange(10, 100);
    m_opacity->setValue(static_cast<int>(m_look.opacity * 100 + 0.5));
    m_opacity->setAccessibleName(QStringLiteral("Opacity of the bands"));
    m_opacity->setToolTip(QStringLiteral("How strongly the bands colour the plan"));
    opacity->setBuddy(m_opacity);
    column->addWidget(opacity);
    column->addWidget(m_opacity);
    connect(m_blindZone, &QCheckBox::toggled, this, &PlanLookBar::Control_Change);
    connect(m_labels, &QCheckBox::toggled, this, &PlanLookBar::Control_Change);
    connect(m_opacity, &QSlider::valueChanged, this, &PlanLookBar::Control_Change);
}

void PlanLookBar::Control_Change() {
    for (std::size_t i = 0; i < m_levels.size(); ++i)
        m_look.levelShown[i] = m_levels[i]->isChecked();
    m_look.blindZoneShown = m_blindZone->isChecked();
    m_look.labels = m_labels->isChecked();
    m_look.opacity = m_opacity->value() / 100.0;
    emit lookChanged(m_look);
}
