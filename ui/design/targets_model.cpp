#include "targets_model.h"

#include <QBrush>
#include <QColor>

#include "qt_text.h"

namespace {

QString LevelText(int level) {
    return ToQString(LevelName(level));
}

}  // namespace

TargetsModel::TargetsModel(QObject* parent) : QAbstractTableModel(parent) {}

void TargetsModel::SetScene(const PlanScene& scene) {
    std::vector<Row> rows;
    rows.reserve(scene.targets.size());
    for (const SceneTarget& target : scene.targets) {
        Row row{target.id, ToQString(target.name), target.requiredLevel, {}, {}, target.cover.met};
        if (target.cover.bestLevel)
            row.reached = LevelText(*target.cover.bestLevel);
        else
            row.reached = QStringLiteral("Not seen");
        if (target.cover.camera && *target.cover.camera < scene.cameras.size()) {
            const std::u16string& name = scene.cameras[*target.cover.camera].name;
            row.camera = name.empty() ? QStringLiteral("Unnamed camera") : ToQString(name);
        }
        rows.push_back(std::move(row));
    }
    const bool sameTargets = rows.size() == m_rows.size() &&
                             std::equal(rows.begin(), rows.end(), m_rows.begin(),
                                        [](const Row& a, const Row& b) { return a.id == b.id; });
    if (!sameTargets) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
        return;
    }
    m_rows = std::move(rows);
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int TargetsModel::RowOf(const std::string& id) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].id == id)
            return static_cast<int>(i);
    }
    return -1;
}

int TargetsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TargetsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TargetsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == TargetIdRole)
        return QString::fromStdString(row.id);
    if (role == Qt::ForegroundRole && index.column() == Met && !row.met)
        return QBrush(QColor(0xd3, 0x2f, 0x2f));
    if (role == Qt::EditRole && index.column() == Required)
        return row.required;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
        case Name:
            return row.name;
        case Required:
            return LevelText(row.required);
        case Reached:
            return row.reached;
        case ByCamera:
            return row.camera;
        case Met:
            return row.met ? QStringLiteral("met") : QStringLiteral("not met");
        default:
            return {};
    }
}

QVariant TargetsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[ColumnCount] = {"Target", "Required", "Reached", "By camera",
                                                     "Met"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kTitles[section])
                                                 : QVariant();
}

Qt::ItemFlags TargetsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Name || index.column() == Required)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TargetsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount())
        return false;
    const std::string& id = m_rows[static_cast<std::size_t>(index.row())].id;
    if (index.column() == Name) {
        emit renameRequested(id, value.toString());
        return true;
    }
    if (index.column() == Required) {
        bool isNumber = false;
        const int level = value.toInt(&isNumber);
        if (!isNumber || level < 0 || level >= static_cast<int>(kDoriLevels.size()))
            return false;
        emit levelRequested(id, level);
        return true;
    }
    return false;
}

QString TargetsMetText(const TargetsMet& count) {
    if (count.total == 0)
        return {};
    return QStringLiteral("Targets met: %1 of %2").arg(count.met).arg(count.total);
}
