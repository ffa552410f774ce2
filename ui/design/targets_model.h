#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "plan_scene.h"

// The targets of the plan shown, as a table: one row per target in the plan's order, with its
// name, the level it must be seen at, the level some camera reaches there and which camera, and
// "met" or "not met" (red). The name and the level required are edited in place: setData asks
// for the change (renameRequested, levelRequested), which comes back through SetScene.
class TargetsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { Name, Required, Reached, ByCamera, Met, ColumnCount };
    // The row's target id, as a QString.
    static constexpr int TargetIdRole = Qt::UserRole + 1;

    explicit TargetsModel(QObject* parent = nullptr);

    void SetScene(const PlanScene& scene);
    // The target's row, or -1.
    int RowOf(const std::string& id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  signals:
    void renameRequested(const std::string& id, const QString& name);
    // `level`: an index into kDoriLevels.
    void levelRequested(const std::string& id, int level);

  private:
    struct Row {
        std::string id;
        QString name;
        int required = 0;
        QString reached;
        QString camera;
        bool met = false;
    };
    std::vector<Row> m_rows;
};

// "Targets met: 2 of 3"; empty when the design has no targets.
QString TargetsMetText(const TargetsMet& count);
