#include "lens_filter_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>
#include <set>

#include "catalogue.h"
#include "flow_layout.h"
#include "lens_table.h"

namespace {

// The megapixel ratings the catalogue's descriptions give, lowest first.
std::set<int> CatalogueRatings() {
    std::set<int> ratings;
    for (const CatalogueLens& lens : CatalogueLenses()) {
        if (lens.megapixels)
            ratings.insert(*lens.megapixels);
    }
    return ratings;
}

}  // namespace

LensFilterBar::LensFilterBar(QWidget* parent) : QWidget(parent) {
    m_kinds = {AddBox("filterFixed", QStringLiteral("Fixed"), QStringLiteral("List fixed lenses")),
               AddBox("filterVarifocal", QStringLiteral("Varifocal"),
                      QStringLiteral("List varifocal lenses")),
               AddBox("filterZoom", QStringLiteral("Zoom"), QStringLiteral("List zoom lenses"))};
    static_assert(static_cast<int>(Iris::M) == 0 && static_cast<int>(Iris::Manual) == 1 &&
                  static_cast<int>(Iris::DC) == 2 && static_cast<int>(Iris::VD) == 3);
    m_irises = {AddBox("filterMotorised", QStringLiteral("Motorised iris"),
                       QStringLiteral("List lenses with a motorised iris")),
                AddBox("filterManual", QStringLiteral("Manual iris"),
                       QStringLiteral("List lenses with a manual iris")),
                AddBox("filterDC", QStringLiteral("DC iris"),
                       QStringLiteral("List lenses with a DC-driven auto iris")),
                AddBox("filterVideo", QStringLiteral("Video iris"),
                       QStringLiteral("List lenses with a video-driven auto iris"))};

    m_megapixels = new QComboBox;
    m_megapixels->setObjectName(QStringLiteral("filterMegapixels"));
    m_megapixels->setAccessibleName(QStringLiteral("Megapixel rating"));
    m_megapixels->setToolTip(
        QStringLiteral("List only lenses rated for at least this many megapixels; a lens whose "
                       "description gives no rating is listed only for any rating"));
    m_megapixels->addItem(QStringLiteral("Any rating"), 0);
    for (const int rating : CatalogueRatings())
        m_megapixels->addItem(QStringLiteral("%1 MP or more").arg(rating), rating);
    m_megapixels->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_megapixels, &QComboBox::currentIndexChanged, this, &LensFilterBar::filterChanged);

    // Two rows, the kinds, then the iris controls and the rating, each in the order TabOrder()
    // gives; each wraps to the width, so that the bar fits beside the form on a small screen.
    const std::vector<QWidget*> order = TabOrder();
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    const auto addRow = [rows, &order](const QString& caption, std::size_t from, std::size_t to) {
        auto* flow = new FlowLayout;
        auto* label = new QLabel(caption);
        label->setBuddy(order[from]);
        flow->addWidget(label);
        for (std::size_t i = from; i < to; ++i)
            flow->addWidget(order[i]);
        rows->addLayout(flow);
    };
    const std::size_t irisesFrom = m_kinds.size();
    addRow(QStringLiteral("&Kind:"), 0, irisesFrom);
    addRow(QStringLiteral("Iris t&ype:"), irisesFrom, order.size());
}

QCheckBox* LensFilterBar::AddBox(const char* name, const QString& caption, const QString& tip) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(tip);
    box->setChecked(true);
    connect(box, &QCheckBox::toggled, this, &LensFilterBar::filterChanged);
    return box;
}

LensFilter LensFilterBar::Filter() const {
    LensFilter filter;
    for (std::size_t kind = 0; kind < m_kinds.size(); ++kind)
        filter.kinds.set(kind, m_kinds[kind]->isChecked());
    for (std::size_t iris = 0; iris < m_irises.size(); ++iris)
        filter.irises.set(iris, m_irises[iris]->isChecked());
    filter.minimumMegapixels = m_megapixels->currentData().toInt();
    return filter;
}

std::vector<QWidget*> LensFilterBar::TabOrder() const {
    std::vector<QWidget*> order(m_kinds.begin(), m_kinds.end());
    for (const Iris iris : {Iris::Manual, Iris::DC, Iris::VD, Iris::M})
        order.push_back(m_irises[static_cast<std::size_t>(iris)]);
    order.push_back(m_megapixels);
    return order;
}
