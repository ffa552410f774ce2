#pragma once

#include <QHash>
#include <QTableView>

class DoriTableModel;

// The DORI table as the Coverage window shows it: read only, a row selected whole, Tab leaving it
// in one step while the arrows move inside. A figure given in two units wraps before its second,
// in brackets, and a heading between its words, so that the whole table fits beside the camera's
// form without scrolling sideways; the columns are measured by FitColumns(), not at every cell
// written.
class DoriTableView : public QTableView {
    Q_OBJECT

  public:
    explicit DoriTableView(DoriTableModel* model, QWidget* parent = nullptr);

    // Makes each shown column as wide as its widest line, wrapped as above.
    void FitColumns();

    // The whole table, the ground range too, fitted as above: no scrolling.
    QSize sizeHint() const override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    // The width of a heading wrapped at its narrowest, measured once for each heading and font:
    // trying every way to break a heading costs more than the rest of an edit.
    int HeadingWidth(const QString& heading);

    int m_fittedWidth = 0;
    QHash<QString, int> m_headingWidths;
};
