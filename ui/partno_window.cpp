#include "partno_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

#include "layout.h"
#include "part_number.h"
#include "qt_text.h"
#include "text_box.h"

const QString PartNo::kPrompt =
    QStringLiteral("< enter the part number and the program will search as you type >");

PartNo::PartNo(QWidget* parent) : ModeWindow("PartNo", Mode::PartNumber, parent) {
    QWidget* client = this->client();

    auto* Frame1 = Place(new QGroupBox(QStringLiteral("Optarion Part # : "), client), "Frame1",
                         {120, 120, 6615, 855});
    txtPartNo = Place(NewTextBox(kPrompt, Frame1), "txtPartNo", {240, 360, 6135, 285});
    txtPartNo->setFont(ArialFont(8.25, false, true));
    txtPartNo->setAlignment(Qt::AlignCenter);
    txtPartNo->setCursorPosition(0);
    txtPartNo->setAccessibleName(QStringLiteral("Optarion Part #"));

    MakeLogoBanner(client, {120, 3840, 6615, 1190}, false);

    auto* Frame2 = Place(new QGroupBox(QStringLiteral("Search Results : "), client), "Frame2",
                         {120, 1200, 6615, 2415});
    lstResults = Place(new QListWidget(Frame2), "lstResults", {240, 360, 6135, 1815});
    lstResults->setSelectionMode(QAbstractItemView::SingleSelection);
    lstResults->setAccessibleName(QStringLiteral("Search Results"));
    setTabOrder(txtPartNo, lstResults);

    // Connected after the prompt is in place: loading the window decodes nothing.
    connect(txtPartNo, &QLineEdit::textChanged, this, &PartNo::txtPartNo_Change);

    Form_Load();
    FinishLayout();
}

void PartNo::Form_Load() {
    CheckOwnMode();
}

void PartNo::txtPartNo_Change() {
    const std::u16string text = txtPartNo->text().toStdU16String();
    lstResults->clear();
    for (const std::u16string& line : DecodePartNumber(text))
        lstResults->addItem(ToQString(line));
    if (const auto lens = DecodeLens(text)) {
        decodedLens = lens;
        emit lensDecoded();
    }
}

void PartNo::txtPartNo_GotFocus() {
    txtPartNo->setText(QString());
    lstResults->clear();
    QFont font = txtPartNo->font();
    font.setItalic(false);
    font.setBold(true);
    txtPartNo->setFont(font);
}

void PartNo::txtPartNo_LostFocus() {
    if (!txtPartNo->text().isEmpty())
        return;
    QFont font = txtPartNo->font();
    font.setItalic(true);
    font.setBold(false);
    txtPartNo->setFont(font);
    txtPartNo->setText(kPrompt);
    txtPartNo->setCursorPosition(0);
    lstResults->clear();
}

void PartNo::showEvent(QShowEvent* event) {
    arrivingByShow = true;
    QMainWindow::showEvent(event);
}

// The box counts as entered when the focus comes to it from another control of this window, or
// when this window is shown by a mode switch; coming back from another program or from a menu
// is not an arrival, so what was typed stays. It counts as left only towards another control.
void PartNo::OnFocusChanged(QWidget* old, QWidget* now) {
    const bool fromThisWindow = old && old->window() == this;
    if (now == txtPartNo && (arrivingByShow || fromThisWindow))
        txtPartNo_GotFocus();
    if (old == txtPartNo && now && now->window() == this)
        txtPartNo_LostFocus();
    if (now && now->window() == this)
        arrivingByShow = false;
}
