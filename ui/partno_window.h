#pragma once

#include <QMainWindow>

class QAction;
class QLineEdit;
class QListWidget;

// The part-number window, the program's second mode: the user types a lens part number and the
// lines that it decodes to are listed below while they type. An empty box without the focus shows
// a prompt in italics; typing shows in bold upright type.
class PartNo : public QMainWindow {
    Q_OBJECT

  public:
    explicit PartNo(QWidget* parent = nullptr);
    ~PartNo() override;

    QAction* mnuType = nullptr;
    QAction* mnuPartNo = nullptr;

    static const QString kPrompt;

  signals:
    void typeModeRequested();
    void aboutRequested();
    void exitRequested();

  public slots:
    void txtPartNo_Change();
    void txtPartNo_GotFocus();
    void txtPartNo_LostFocus();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void Form_Load();
    void OnFocusChanged(QWidget* old, QWidget* now);

    QLineEdit* txtPartNo = nullptr;
    QListWidget* lstResults = nullptr;
    bool arrivingByShow = false;
};
