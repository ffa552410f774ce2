#pragma once

#include <QWidget>
#include <vector>

#include "lens_traits.h"

class QCheckBox;
class QComboBox;

// The filters above the Coverage window's lens list: which kinds of lens and which iris controls
// to list (a check box each, `filterFixed` ... `filterMotorised`), and the least megapixel rating
// (`filterMegapixels`: "Any rating", then one item per rating the catalogue gives, "2 MP or
// more" ..., the minimum in its item data). Everything is ticked at first, which lists every
// lens. Each change of a control emits filterChanged() once.
class LensFilterBar : public QWidget {
    Q_OBJECT

  public:
    explicit LensFilterBar(QWidget* parent = nullptr);

    // What the controls ask for.
    LensFilter Filter() const;

    // The controls that take the focus, in reading order.
    std::vector<QWidget*> TabOrder() const;

  signals:
    void filterChanged();

  private:
    QCheckBox* AddBox(const char* name, const QString& caption, const QString& tip);

    std::vector<QCheckBox*> m_kinds;    // by LensKind
    std::vector<QCheckBox*> m_irises;   // by Iris
    QComboBox* m_megapixels = nullptr;  // item data: the least rating kept, 0 for any
};
