#pragma once

#include <QObject>
#include <QString>

#include "coverage.h"
#include "locked_fields.h"

class FollowedSources;
class QComboBox;

// Where the Coverage window's camera and lens come from: the calculator's row 1 or 2, the last
// part number decoded, or the user's own values, as chosen in the `follow` list. It reads the
// sources, never writes into them, and hears of their changes only between Start() and Stop():
// stopped, none of its slots runs.
class SourceFollower : public QObject {
    Q_OBJECT

  public:
    // In the order of the `follow` list; each item carries its value as item data.
    enum class Source { CalculatorWide, CalculatorTele, PartNumber, OwnValues };

    // Fills `follow` with the sources and follows its choice; the tele row is offered while the
    // calculator has a zoom lens.
    SourceFollower(const FollowedSources& sources, QComboBox* follow, QObject* parent = nullptr);

    Source Current() const;

    void Start();
    void Stop();

    // `inputs` with what the source gives written over them: the calculator's sensor format, 4:3
    // picture, focal length and distance (along the line of sight, converted at full precision
    // into inputs.unit), or the part number's format and focal length. A part number that names
    // no format of the list leaves the format as it is.
    CoverageInputs Followed(CoverageInputs inputs) const;
    // The fields the source gives.
    LockedFields Locked() const;
    // Why the source gives nothing yet, for the message line; empty when it gives its values.
    QString Note() const;

  signals:
    // The source chosen, or what it gives, may have changed: the form should follow it again.
    void followedChanged();

  private slots:
    void follow_Change();
    void Source_Change();

  private:
    bool FollowsCalculator() const;
    void OfferTeleRow();

    const FollowedSources& m_sources;
    QComboBox* m_follow;
    mutable Source m_lastFollowed = Source::OwnValues;  // the source Followed last read
};
