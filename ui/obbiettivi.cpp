#include "obbiettivi.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>

#include "layout.h"
#include "picture_button.h"
#include "qt_text.h"
#include "settings_file.h"
#include "text_box.h"

namespace {

constexpr int kBoxColumnCount = 4;
constexpr std::array<Quantity, kBoxColumnCount> kColumns{Quantity::F, Quantity::L, Quantity::H,
                                                         Quantity::V};

int Column(Quantity q) {
    return static_cast<int>(q);
}

using BoxHandler = void (Obbiettivi::*)();
using BoxHandlers = std::array<std::array<BoxHandler, kBoxColumnCount>, 2>;
constexpr BoxHandlers kClickHandlers{{
    {&Obbiettivi::Focale1_Click, &Obbiettivi::L1_Click, &Obbiettivi::H1_Click,
     &Obbiettivi::V1_Click},
    {&Obbiettivi::Focale2_Click, &Obbiettivi::L2_Click, &Obbiettivi::H2_Click,
     &Obbiettivi::V2_Click},
}};
constexpr BoxHandlers kLostFocusHandlers{{
    {&Obbiettivi::Focale1_LostFocus, &Obbiettivi::L1_LostFocus, &Obbiettivi::H1_LostFocus,
     &Obbiettivi::V1_LostFocus},
    {&Obbiettivi::Focale2_LostFocus, &Obbiettivi::L2_LostFocus, &Obbiettivi::H2_LostFocus,
     &Obbiettivi::V2_LostFocus},
}};

// The platform's number format, as the user set it.
NumberFormat UserNumberFormat() {
    const QLocale locale;
    return {locale.decimalPoint().toStdU16String(), locale.groupSeparator().toStdU16String()};
}

QRadioButton* MakeOption(QWidget* frame, const char* name, const QString& caption, TwipRect r) {
    auto* option = Place(new QRadioButton(caption, frame), name, r);
    option->setAccessibleName(caption.trimmed());
    option->setFont(ArialFont());
    return option;
}

// Which options of a frame are selected, in the order of the frame's enum.
template <std::size_t N>
std::bitset<N> Checked(const std::array<QRadioButton*, N>& options) {
    std::bitset<N> checked;
    for (std::size_t i = 0; i < N; ++i)
        checked.set(i, options[i]->isChecked());
    return checked;
}

QGroupBox* MakeFrame(QWidget* client, const char* name, const QString& caption, TwipRect r) {
    auto* frame = Place(new QGroupBox(caption, client), name, r);
    frame->setFont(ArialFont());
    return frame;
}

}  // namespace

Obbiettivi::Obbiettivi(const std::filesystem::path& settingsFile, QWidget* parent)
    : ModeWindow("Obbiettivi", Mode::Type, parent), calc(UserNumberFormat()) {
    QWidget* client = this->client();
    BuildSearchMenuItem();
    BuildOptionFrames(client);

    OptarionCons =
        Place(new PictureButton(QStringLiteral("Search        "),
                                QPixmap(QStringLiteral(":/assets/magnifier.png")), client),
              "OptarionCons", {5400, 240, 1320, 1215});
    OptarionCons->setFont(ArialFont(9.75, true));
    OptarionCons->setAccessibleName(OptarionCons->text().trimmed());
    connect(OptarionCons, &QPushButton::clicked, this, &Obbiettivi::searchRequested);

    BuildCalculatorFrame(client);
    MakeLogoBanner(client, {120, 3840, 6615, 1190}, false);

    const std::array<QWidget*, 22> tabOrder{
        un,          dueterzi,    unmezzo,     unterzo,     unquarto,    zoom,
        VAR,         HSP,         FF,          Manual,      DC,          VD,
        M,           boxes[0][0], boxes[0][1], boxes[0][2], boxes[0][3], boxes[1][0],
        boxes[1][1], boxes[1][2], boxes[1][3], OptarionCons};
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    CalcoloFocale = new QTimer(this);
    CalcoloFocale->setObjectName(QStringLiteral("CalcoloFocale"));
    CalcoloFocale->setInterval(50);
    connect(CalcoloFocale, &QTimer::timeout, this, &Obbiettivi::CalcoloFocale_Timer);
    TimerMove = new QTimer(this);
    TimerMove->setObjectName(QStringLiteral("TimerMove"));
    TimerMove->setInterval(500);
    connect(TimerMove, &QTimer::timeout, this, &Obbiettivi::TimerMove_Timer);

    Form_Load(settingsFile);

    CalcoloFocale->start();
    TimerMove->start();
    FinishLayout();
}

// "&Search" and its separator stand above "&Exit" in the main window's "&File" menu.
void Obbiettivi::BuildSearchMenuItem() {
    auto* mnuSearch = new QAction(QStringLiteral("&Search"), fileMenu());
    mnuSearch->setObjectName(QStringLiteral("mnuSearch"));
    connect(mnuSearch, &QAction::triggered, this, &Obbiettivi::searchRequested);
    auto* mnuHyphen = new QAction(fileMenu());
    mnuHyphen->setObjectName(QStringLiteral("mnuHyphen"));
    mnuHyphen->setSeparator(true);
    fileMenu()->insertActions(exitItem(), {mnuSearch, mnuHyphen});
}

void Obbiettivi::BuildOptionFrames(QWidget* client) {
    QGroupBox* Sensore =
        MakeFrame(client, "Sensore", QStringLiteral("CCD Size"), {120, 120, 975, 1575});
    un = MakeOption(Sensore, "un", QStringLiteral("   1\""), {120, 240, 735, 255});
    dueterzi = MakeOption(Sensore, "dueterzi", QStringLiteral("2/3\""), {120, 480, 735, 255});
    unmezzo = MakeOption(Sensore, "unmezzo", QStringLiteral("1/2\""), {120, 720, 735, 255});
    unterzo = MakeOption(Sensore, "unterzo", QStringLiteral("1/3\""), {120, 960, 735, 255});
    unquarto = MakeOption(Sensore, "unquarto", QStringLiteral("1/4\""), {120, 1200, 735, 255});
    unterzo->setChecked(true);

    QGroupBox* Frame1 =
        MakeFrame(client, "Frame1", QStringLiteral("Lens Type"), {1200, 120, 1575, 1575});
    zoom = MakeOption(Frame1, "zoom", QStringLiteral("Zoom"), {120, 240, 855, 255});
    VAR = MakeOption(Frame1, "VAR", QStringLiteral("Varifocal"), {120, 480, 1095, 255});
    HSP = MakeOption(Frame1, "HSP", QStringLiteral("Aspherical"), {120, 720, 1215, 255});
    FF = MakeOption(Frame1, "FF", QStringLiteral("Monofocal"), {120, 960, 1215, 255});
    FF->setChecked(true);

    QGroupBox* Frame2 =
        MakeFrame(client, "Frame2", QStringLiteral("Iris Control"), {2880, 120, 2415, 1575});
    Manual = MakeOption(Frame2, "Manual", QStringLiteral("Manual"), {120, 240, 2055, 255});
    DC = MakeOption(Frame2, "DC", QStringLiteral("DC"), {120, 480, 2055, 255});
    VD = MakeOption(Frame2, "VD", QStringLiteral("Video"), {120, 720, 2055, 255});
    DrawLine(Frame2, "Line1", {120, 1080, 2280 - 120, kTwipsPerPixel});
    M = MakeOption(Frame2, "M", QStringLiteral("Motorized Iris (for zoom)"),
                   {120, 1200, 2175, 255});
    DC->setChecked(true);
    M->setEnabled(false);
    lensTypeOptions = {FF, zoom, VAR, HSP};
    formatOptions = {un, dueterzi, unmezzo, unterzo, unquarto};
    irisOptions = {M, Manual, DC, VD};

    // Each handler runs when its option becomes the selected one, by mouse or keyboard.
    const std::array<std::pair<QRadioButton*, void (Obbiettivi::*)()>, 13> handlers{{
        {un, &Obbiettivi::un_Click},
        {dueterzi, &Obbiettivi::dueterzi_Click},
        {unmezzo, &Obbiettivi::unmezzo_Click},
        {unterzo, &Obbiettivi::unterzo_Click},
        {unquarto, &Obbiettivi::unquarto_Click},
        {zoom, &Obbiettivi::zoom_Click},
        {VAR, &Obbiettivi::VAR_Click},
        {HSP, &Obbiettivi::HSP_Click},
        {FF, &Obbiettivi::FF_Click},
        {Manual, &Obbiettivi::Manual_Click},
        {DC, &Obbiettivi::DC_Click},
        {VD, &Obbiettivi::VD_Click},
        {M, &Obbiettivi::M_Click},
    }};
    for (const auto& [option, handler] : handlers) {
        option->installEventFilter(this);
        connect(option, &QRadioButton::toggled, this, [this, handler = handler](bool selected) {
            if (selected)
                (this->*handler)();
        });
    }
}

void Obbiettivi::BuildCalculatorFrame(QWidget* client) {
    QGroupBox* Calcoli =
        MakeFrame(client, "Calcoli", QStringLiteral("Lens Calculator"), {120, 1800, 6620, 1905});

    const auto heading = [Calcoli](const char* name, const QString& caption, TwipRect r) {
        auto* label = Place(new QLabel(caption, Calcoli), name, r);
        label->setFont(ArialFont());
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    };
    const std::array<QLabel*, kBoxColumnCount> headings{
        heading("Label1", QStringLiteral("focal length (mm)"), {120, 360, 1335, 255}),
        heading("Label2", QStringLiteral("object distance (ft)"), {1440, 360, 1575, 255}),
        heading("Label4", QStringLiteral("horizontal object dimensions (ft)"),
                {3000, 240, 1455, 495}),
        heading("Label3", QStringLiteral("vertical object dimensions (ft)"),
                {4440, 240, 1335, 495}),
    };

    static constexpr std::array<std::array<const char*, kBoxColumnCount>, 2> names{{
        {"Focale1", "L1", "H1", "V1"},
        {"Focale2", "L2", "H2", "V2"},
    }};
    static constexpr std::array<std::pair<int, int>, kBoxColumnCount> columns{
        {{120, 1335}, {1560, 1320}, {3000, 1320}, {4440, 1320}}};
    static constexpr std::array<const char*, kBoxColumnCount> startTexts{"4", "20", "16", "12"};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < kBoxColumnCount; ++column) {
            const auto [left, width] = columns[column];
            auto* box = Place(NewTextBox(QString::fromLatin1(startTexts[column]), Calcoli),
                              names[row][column], {left, row == 0 ? 720 : 1200, width, 285});
            box->setFont(ArialFont());
            box->setAlignment(Qt::AlignCenter);
            box->setVisible(row == 0);
            box->installEventFilter(this);
            connect(box, &QLineEdit::textChanged, this, [this, box] {
                ++boxTextsRevision;
                // Assistive technology (a screen reader's edit, dictation) sets a box's text
                // without key presses; in the box being edited that is the user's entry as much
                // as typed text is, so no tick may overwrite it.
                if (!applyingWrites && box == focusWidget())
                    box->setModified(true);
            });
            boxes[row][column] = box;
            boxHeadings[column] = headings[column]->text();
        }
    }

    macro = Place(new QLabel(QStringLiteral("WIDE"), Calcoli), "macro", {5880, 720, 495, 255});
    Tele = Place(new QLabel(QStringLiteral("TELE"), Calcoli), "Tele", {5880, 1200, 375, 255});
    for (QLabel* label : {macro, Tele}) {
        label->setFont(ArialFont());
        label->hide();
    }
    NameBoxesForScreenReaders(false);
}

// A screen reader speaks each box as its column heading and its row: the wide and tele ends of a
// zoom lens, otherwise the row's number.
void Obbiettivi::NameBoxesForScreenReaders(bool zoomLens) {
    for (int row = 0; row < 2; ++row) {
        const QString rowName =
            zoomLens ? (row == 0 ? macro : Tele)->text() : QStringLiteral("row %1").arg(row + 1);
        for (int column = 0; column < kBoxColumnCount; ++column)
            boxes[row][column]->setAccessibleName(boxHeadings[column] + QStringLiteral(", ") +
                                                  rowName);
    }
}

void Obbiettivi::Form_Load(const std::filesystem::path& settingsFile) {
    calc.SensorHeight = kStartSensorHeightMm;
    std::array<std::array<std::u16string, 4>, 2> texts;
    for (int row = 0; row < 2; ++row) {
        for (Quantity q : kColumns)
            texts[row][Column(q)] = Box(row, q)->text().toStdU16String();
    }
    calc.Load(texts);
    calc.IgnoredSep = QString::fromLocal8Bit(ReadSettings(settingsFile)).toStdU16String();
}

SearchOptions Obbiettivi::searchOptions() const {
    SearchOptions options;
    options.lensTypes = Checked(lensTypeOptions);
    options.formats = Checked(formatOptions);
    options.irises = Checked(irisOptions);
    return options;
}

QLineEdit* Obbiettivi::Box(int row, Quantity q) const {
    return boxes[row][Column(q)];
}

void Obbiettivi::EvaluateBox(int row, Quantity q, Evaluation kind) {
    const auto writes = calc.Evaluate(row, q, kind, Box(row, q)->text().toStdU16String());
    ApplyWrites(writes, {q, q});
}

// Between the user's entries nothing a tick reads changes, and the program sleeps between ticks
// as an idle program should.
void Obbiettivi::CalcoloFocale_Timer() {
    if (ReadsAsLastTick())
        return;
    lastTick = ReadTickInputs();

    const std::array<Quantity, 2> marked{calc.rows[0].Mark, calc.rows[1].Mark};
    const auto writes = calc.Tick(Box(0, marked[0])->text().toStdU16String(),
                                  Box(1, marked[1])->text().toStdU16String());
    ApplyWrites(writes, marked);
    emit calculatorChanged();
}

// The same comparison as between two copies, without making one: an idle tick allocates nothing.
bool Obbiettivi::ReadsAsLastTick() const {
    if (!lastTick || lastTick->boxTextsRevision != boxTextsRevision ||
        lastTick->focus != focusWidget() || !(lastTick->calc == calc))
        return false;
    const auto* focusedBox = qobject_cast<const QLineEdit*>(lastTick->focus);
    return lastTick->typedIn == (focusedBox && focusedBox->isModified());
}

Obbiettivi::TickInputs Obbiettivi::ReadTickInputs() const {
    TickInputs inputs{calc, boxTextsRevision, focusWidget(), false};
    const auto* focusedBox = qobject_cast<const QLineEdit*>(inputs.focus);
    inputs.typedIn = focusedBox && focusedBox->isModified();
    return inputs;
}

void Obbiettivi::TimerMove_Timer() {
    TimerMove->stop();
}

// Applies the calculator's writes in order. A box whose text would not change is left alone, so
// that twenty ticks a second neither repaint it nor move its cursor. A box the user has typed
// into since reaching it takes only its own writes (the removal of the grouping mark), never a
// computed value: a user who reached it with Tab must be able to finish typing before leaving
// it. Until they type, it goes on following its row, so merely passing through it with Tab
// never feeds a stale value back into the row.
void Obbiettivi::ApplyWrites(const std::vector<BoxWrite>& writes,
                             const std::array<Quantity, 2>& ownBoxes) {
    const QWidget* focused = focusWidget();
    const QScopedValueRollback<bool> ownWrites(applyingWrites, true);
    for (const BoxWrite& write : writes) {
        QLineEdit* box = Box(write.row, write.box);
        if (box == focused && box->isModified() && write.box != ownBoxes[write.row])
            continue;
        const QString text = ToQString(write.text);
        if (box->text() != text)
            box->setText(text);
    }
}

// A box is left when the focus moves to another control of this window; a menu opening, the
// window being hidden or another program being activated leaves the user's entry untouched.
void Obbiettivi::OnFocusChanged(QWidget* old, QWidget* now) {
    if (!old || !now || now->window() != this || old->window() != this)
        return;
    if (auto* arriving = qobject_cast<QLineEdit*>(now))
        arriving->setModified(false);
    RunBoxHandler(old, kLostFocusHandlers);
}

void Obbiettivi::RunBoxHandler(const QObject* box, const BoxHandlers& handlers) {
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < kBoxColumnCount; ++column) {
            if (boxes[row][column] == box)
                (this->*handlers[row][column])();
        }
    }
}

bool Obbiettivi::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* option = qobject_cast<QRadioButton*>(watched))
            FocusSelectedOption(option, static_cast<QFocusEvent*>(event)->reason());
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && mouse->button() == Qt::LeftButton &&
            box->rect().contains(mouse->position().toPoint()))
            RunBoxHandler(box, kClickHandlers);
    }
    return QMainWindow::eventFilter(watched, event);
}

// An option group is one stop of the tab column, and the keyboard enters it at the selected
// option, not at the first one, so that Tab never lands on an option the user did not choose.
void Obbiettivi::FocusSelectedOption(QRadioButton* arrivedAt, Qt::FocusReason reason) {
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ActiveWindowFocusReason;
    if (!byKeyboard || arrivedAt->isChecked())
        return;
    const auto group = arrivedAt->parentWidget()->findChildren<QRadioButton*>(
        QString(), Qt::FindDirectChildrenOnly);
    for (QRadioButton* option : group) {
        if (option->isChecked() && option->isEnabled())
            option->setFocus(reason);
    }
}

void Obbiettivi::SelectSensor(const QRadioButton* option) {
    const auto format = SensorFormatOfOption(option->objectName().toStdString());
    if (format)
        calc.SensorHeight = format->HeightAt4x3Mm();
}

void Obbiettivi::ShowTeleRow(bool zoomLens) {
    M->setEnabled(zoomLens);
    macro->setVisible(zoomLens);
    Tele->setVisible(zoomLens);
    for (QLineEdit* box : boxes[1])
        box->setVisible(zoomLens);
    NameBoxesForScreenReaders(zoomLens);
    emit calculatorChanged();
}

std::string_view Obbiettivi::sensorFormatInches() const {
    for (const QRadioButton* option : formatOptions) {
        if (option->isChecked()) {
            if (const auto format = SensorFormatOfOption(option->objectName().toStdString()))
                return format->inches;
        }
    }
    return SensorFormatOfOption(kStartSensorOption)->inches;
}

bool Obbiettivi::zoomLensChosen() const {
    return zoom->isChecked();
}
