#pragma once

#include <QWidget>

// The About window: the product's name, version and date, and the maker's address. It is made
// anew each time it is opened and destroyed when it is dismissed.
class About : public QWidget {
    Q_OBJECT

  public:
    explicit About(QWidget* parent = nullptr);

  signals:
    void dismissed();

  public slots:
    void Command1_Click() { emit dismissed(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
};
