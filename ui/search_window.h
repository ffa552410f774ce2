#pragma once

#include <QWidget>

#include "catalogue.h"

class QListWidget;
class QPushButton;

// The search results: model numbers beside their description lines, read as one two-column
// table. Selecting a row in either list selects the same row in the other.
class Search : public QWidget {
    Q_OBJECT

  public:
    explicit Search(QWidget* parent = nullptr);

    // Empties both lists before a new search.
    void Clear();

    // Appends the lenses that match the options, or the no-match line when the model-number list
    // is still empty afterwards.
    void Populate_List(const SearchOptions& options);

  signals:
    void closeRequested();

  public slots:
    void lenses_Click();
    void descriptions_Click();
    void lenses_MouseDown() { lenses_Click(); }
    void descriptions_MouseDown() { descriptions_Click(); }
    void Command1_Click() { emit closeRequested(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QListWidget* lenses = nullptr;
    QListWidget* descriptions = nullptr;
    QPushButton* Command1 = nullptr;
};
