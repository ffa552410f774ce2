#pragma once

#include <QWidget>
#include <array>

#include "plan_look.h"

class QCheckBox;
class QSlider;

// The plan's legend, which is also where the user chooses what it shows: a check box per DORI
// level with its colour (and the blind zone's hatching), the bands' opacity, and the cameras'
// names.
class PlanLookBar : public QWidget {
    Q_OBJECT

  public:
    explicit PlanLookBar(QWidget* parent = nullptr);
    const PlanLook& Look() const { return m_look; }

  signals:
    void lookChanged(const PlanLook& look);

  private:
    void Control_Change();

    PlanLook m_look;
    std::array<QCheckBox*, kDoriLevels.size()> m_levels{};
    QCheckBox* m_blindZone = nullptr;
    QCheckBox* m_labels = nullptr;
    QSlider* m_opacity = nullptr;
};
