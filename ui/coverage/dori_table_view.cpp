#include "dori_table_view.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "dori_table_model.h"

namespace {

// A ground range as wide as most: a near edge of metres, a far one of hundreds.
const QString kTypicalRange = QStringLiteral("8.88\u2013888.88 m (88.88\u20132888.88 ft)");

// The widest line of a text wrapped before " (" and, for a heading of several words, at the
// blank nearest its middle.
int WidestLine(const QFontMetrics& metrics, const QString& text, bool heading) {
    int cut = text.indexOf(QStringLiteral(" ("));
    if (heading && cut < 0) {
        for (int i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char(' ') &&
                (cut < 0 || std::abs(i - text.size() / 2) < std::abs(cut - text.size() / 2)))
                cut = i;
        }
    }
    if (cut < 0)
        return metrics.horizontalAdvance(text);
    return std::max(metrics.horizontalAdvance(text.left(cut)),
                    metrics.horizontalAdvance(text.mid(cut + 1)));
}

// Draws a figure in two units on two lines, the second unit's in brackets under the first.
class TwoUnitDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override {
        QString text = QStyledItemDelegate::displayText(value, locale);
        const int cut = text.indexOf(QStringLiteral(" ("));
        if (cut >= 0)
            text[cut] = QChar::LineSeparator;
        return text;
    }
};

}  // namespace

DoriTableView::DoriTableView(DoriTableModel* model, QWidget* parent) : QTableView(parent) {
    setModel(model);
    setObjectName(QStringLiteral("doriTable"));
    setAccessibleName(QStringLiteral("DORI levels"));
    setAccessibleDescription(
        QStringLiteral("For each level of EN 62676-4: its density, the farthest distance this "
                       "camera and lens reach it, the focal length and the pixels across it "
                       "needs at the target"));
    setToolTip(
        QStringLiteral("Each DORI level of EN 62676-4: how far this camera and lens reach "
                       "it, and what would reach it at the target; the level reached in "
                       "bold"));
    verticalScrollBar()->setAccessibleName(accessibleName() +
                                           QStringLiteral(", vertical scroll bar"));
    horizontalScrollBar()->setAccessibleName(accessibleName() +
                                             QStringLiteral(", horizontal scroll bar"));
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setTabKeyNavigation(false);
    setWordWrap(true);
    setItemDelegate(new TwoUnitDelegate(this));
    const int lines = fontMetrics().lineSpacing() * 2;
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    horizontalHeader()->setMinimumHeight(lines + fontMetrics().height() / 2);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(lines + 4);
}

void DoriTableView::FitColumns() {
    const QFontMetrics metrics = fontMetrics();
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);  // the row of the level reached
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) +
                        metrics.horizontalAdvance(QLatin1Char('0'));
    m_fittedWidth = 0;
    for (int column = 0; column < model()->columnCount(); ++column) {
        int widest =
            WidestLine(metrics, model()->headerData(column, Qt::Horizontal).toString(), true);
        // Without mounting the ground range is empty, but its width is kept for when it shows.
        if (column == DoriTableModel::kGroundRangeColumn)
            widest = std::max(widest, WidestLine(boldMetrics, kTypicalRange, false));
        for (int row = 0; row < model()->rowCount(); ++row)
            widest = std::max(
                widest,
                WidestLine(boldMetrics, model()->index(row, column).data().toString(), false));
        m_fittedWidth += widest + padding;
        if (!isColumnHidden(column))
            setColumnWidth(column, widest + padding);
    }
    updateGeometry();
}

QSize DoriTableView::sizeHint() const {
    const int frame = 2 * frameWidth();
    return {m_fittedWidth + frame,
            horizontalHeader()->minimumHeight() + verticalHeader()->length() + frame};
}
