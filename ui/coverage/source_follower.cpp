#include "source_follower.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include "followed_sources.h"

SourceFollower::SourceFollower(const FollowedSources& sources, QComboBox* follow, QObject* parent)
    : QObject(parent), m_sources(sources), m_follow(follow) {
    const std::pair<Source, QString> choices[] = {
        {Source::CalculatorWide, QStringLiteral("Calculator, wide (row 1)")},
        {Source::CalculatorTele, QStringLiteral("Calculator, tele (row 2)")},
        {Source::PartNumber, QStringLiteral("Part number")},
        {Source::OwnValues, QStringLiteral("Own values")},
    };
    for (const auto& [source, caption] : choices)
        m_follow->addItem(caption, static_cast<int>(source));
    OfferTeleRow();
    connect(m_follow, &QComboBox::currentIndexChanged, this, &SourceFollower::follow_Change);
}

SourceFollower::Source SourceFollower::Current() const {
    return static_cast<Source>(m_follow->currentData().toInt());
}

bool SourceFollower::FollowsCalculator() const {
    return Current() == Source::CalculatorWide || Current() == Source::CalculatorTele;
}

void SourceFollower::Start() {
    connect(&m_sources, &FollowedSources::calculatorChanged, this, &SourceFollower::Source_Change,
            Qt::UniqueConnection);
    connect(&m_sources, &FollowedSources::lensDecoded, this, &SourceFollower::Source_Change,
            Qt::UniqueConnection);
    Source_Change();
}

void SourceFollower::Stop() {
    disconnect(&m_sources, nullptr, this, nullptr);
}

void SourceFollower::follow_Change() {
    Source_Change();
}

void SourceFollower::Source_Change() {
    OfferTeleRow();
    emit followedChanged();
}

// A follower of the tele row when the calculator's lens stops being a zoom follows the wide row.
void SourceFollower::OfferTeleRow() {
    const bool zoom = m_sources.ZoomLensChosen();
    const int tele = m_follow->findData(static_cast<int>(Source::CalculatorTele));
    if (auto* model = qobject_cast<QStandardItemModel*>(m_follow->model()))
        model->item(tele)->setEnabled(zoom);
    if (!zoom && Current() == Source::CalculatorTele) {
        const QSignalBlocker blocker(m_follow);
        m_follow->setCurrentIndex(m_follow->findData(static_cast<int>(Source::CalculatorWide)));
    }
}

// The calculator's stored texts are copied at full precision; its distance is in feet, along the
// line of sight. On the switch to own values the distance is taken along the ground, as the user
// types it; after that, own values keep the kind of distance they have (a design's camera
// opened with the calculator's figures means what it meant).
CoverageInputs SourceFollower::Followed(CoverageInputs inputs) const {
    const Source now = Current();
    if (now != Source::OwnValues || m_lastFollowed != Source::OwnValues)
        inputs.distanceIsLineOfSight = FollowsCalculator();
    m_lastFollowed = now;
    if (FollowsCalculator()) {
        const LensCalculator& calculator = m_sources.Calculator();
        const CalcRow& row = calculator.rows[Current() == Source::CalculatorTele ? 1 : 0];
        if (const auto format = SensorFormatIndex(m_sources.SensorFormatInches()))
            inputs.format = *format;
        inputs.aspect = Aspect::FourByThree;  // the calculator's picture
        inputs.focalLengthMm = row.StoredF;
        const auto distance =
            ConvertLengthText(row.StoredL, LengthUnit::Feet, inputs.unit, calculator.format());
        inputs.distance = distance ? *distance : row.StoredL;
    } else if (Current() == Source::PartNumber) {
        if (const auto& lens = m_sources.LastDecodedLens()) {
            if (const auto format = SensorFormatIndex(lens->formatInches))
                inputs.format = *format;
            inputs.focalLengthMm = NumberText(lens->focalMm, m_sources.Calculator().format());
        }
    }
    return inputs;
}

LockedFields SourceFollower::Locked() const {
    const bool calculator = FollowsCalculator();
    const bool lens = calculator || Current() == Source::PartNumber;
    return {lens, calculator, lens, calculator};
}

QString SourceFollower::Note() const {
    if (Current() == Source::PartNumber && !m_sources.LastDecodedLens())
        return QStringLiteral(
            "No part number decoded yet: type one with its format and focal length in the "
            "part-number window.");
    return {};
}
