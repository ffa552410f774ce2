#pragma once

#include <QLayout>
#include <QList>

// Lays its widgets out in a line, left to right, and starts another line where the width runs
// out, as words wrap in a paragraph: a row of check boxes that fits beside the form on a small
// screen and on one line on a wide one. Its minimum width is its widest widget's; its height
// follows its width (heightForWidth).
class FlowLayout : public QLayout {
  public:
    explicit FlowLayout(QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

  private:
    // Places the items in `rect` (only when `apply`), giving the height they take.
    int Arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> m_items;
};
