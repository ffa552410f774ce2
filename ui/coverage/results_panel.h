#pragma once

#include <QGroupBox>
#include <vector>

#include "coverage.h"

class QGridLayout;
class QLabel;

// "What the camera sees": every result of ResultList in its order, each a caption over its
// figure, three to a row, the DORI level reached emphasised; the results of a mounted camera
// shown only with mounting; and under them the message line, in bold, shown only when it says
// something. The labels are made from the list, one per result, named by its field ("angleH"),
// and spoken as "caption: figure". The columns share the width equally, so that showing the
// mounting results moves no column. A warning (faces seen from above) has a line of its own under
// the message; the level's tooltip says what the level reached means.
class ResultsPanel : public QGroupBox {
    Q_OBJECT

  public:
    explicit ResultsPanel(QWidget* parent = nullptr);

    // Shows the coverage's texts (the mounting rows only when mounted, the look-down angle only
    // when the tilt is typed: aimed, it is the tilt), the message, if any, and its warning, if any.
    void Show(const Coverage& coverage, const CoverageInputs& inputs, const QString& message);

  private:
    std::vector<QLabel*> m_values;  // in ResultList's order
    std::vector<QWidget*> m_mountingCells;
    QWidget* m_lookDownCell = nullptr;
    QLabel* m_message;
    QLabel* m_warning;
};
