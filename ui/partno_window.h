#pragma once

#include <optional>

#include "mode_window.h"
#include "part_number.h"

class QLineEdit;
class QListWidget;

// The part-number window, the program's second mode: the user types a lens part number and the
// lines that it decodes to are listed below while they type. An empty box without the focus shows
// a prompt in italics; typing shows in bold upright type.
class PartNo : public ModeWindow {
    Q_OBJECT

  public:
    explicit PartNo(QWidget* parent = nullptr);

    static const QString kPrompt;

    // The format and focal length of the last part number that gave both; kept while the box
    // is emptied or holds a part number that gives less.
    const std::optional<DecodedLens>& lastDecodedLens() const { return decodedLens; }

  signals:
    void lensDecoded();

  public slots:
    void txtPartNo_Change();
    void txtPartNo_GotFocus();
    void txtPartNo_LostFocus();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Load();
    void OnFocusChanged(QWidget* old, QWidget* now) override;

    QLineEdit* txtPartNo = nullptr;
    QListWidget* lstResults = nullptr;
    bool arrivingByShow = false;
    std::optional<DecodedLens> decodedLens;
};
