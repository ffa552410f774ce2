#include "dori_table_view.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "dori_table_model.h"

namespace {

// A ground range as wide as most: a near edge of metres, a far one of hundreds.
const QString kTypicalRange = QStringLiteral("8.88\u2013888.88 m (88.88\u20132888.88 ft)");

// A heading's lines, at most this many: the kind of distance makes the farthest one long.
constexpr int kHeadingLines = 3;

// The widest line of a heading broken at blanks into at most kHeadingLines lines, the narrowest
// way it can be.
int WidestHeadingLine(const QFontMetrics& metrics, const QString& text) {
    const QStringList words = text.split(QLatin1Char(' '));
    const auto width = [&](int from, int to) {
        return metrics.horizontalAdvance(words.mid(from, to - from).join(QLatin1Char(' ')));
    };
    const int count = static_cast<int>(words.size());
    int best = width(0, count);
    for (int first = 1; first < count; ++first) {
        best = std::min(best, std::max(width(0, first), width(first, count)));
        for (int second = first + 1; kHeadingLines > 2 && second < count; ++second)
            best = std::min(
                best, std::max({width(0, first), width(first, second), width(second, count)}));
    }
    return best;
}

// The widest line of a cell wrapped before " (".
int WidestLine(const QFontMetrics& metrics, const QString& text) {
    const int cut = text.indexOf(QStringLiteral(" ("));
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
    horizontalHeader()->setMinimumHeight(fontMetrics().lineSpacing() * kHeadingLines +
                                         fontMetrics().height() / 2);
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
        int widest = HeadingWidth(model()->headerData(column, Qt::Horizontal).toString());
        // Without mounting the ground range is empty, but its width is kept for when it shows;
        // the farthest distance is as wide under the heading of either kind of distance.
        if (column == DoriTableModel::kGroundRangeColumn)
            widest = std::max(widest, WidestLine(boldMetrics, kTypicalRange));
        if (column == DoriTableModel::kFarthestColumn) {
            for (DistanceKind kind :
                 {DistanceKind::AlongTheLineOfSight, DistanceKind::OnTheGround}) {
                const std::u16string_view caption = FarthestCaption(kind);
                widest =
                    std::max(widest, HeadingWidth(QString::fromUtf16(
                                         caption.data(), static_cast<qsizetype>(caption.size()))));
            }
        }
        for (int row = 0; row < model()->rowCount(); ++row)
            widest = std::max(
                widest, WidestLine(boldMetrics, model()->index(row, column).data().toString()));
        m_fittedWidth += widest + padding;
        if (!isColumnHidden(column))
            setColumnWidth(column, widest + padding);
    }
    updateGeometry();
}

int DoriTableView::HeadingWidth(const QString& heading) {
    const auto known = m_headingWidths.constFind(heading);
    if (known != m_headingWidths.cend())
        return *known;
    return *m_headingWidths.insert(heading, WidestHeadingLine(fontMetrics(), heading));
}

void DoriTableView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        m_headingWidths.clear();
    QTableView::changeEvent(event);
}

QSize DoriTableView::sizeHint() const {
    const int frame = 2 * frameWidth();
    return {m_fittedWidth + frame,
            horizontalHeader()->minimumHeight() + verticalHeader()->length() + frame};
}
