#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

#include "design.h"
#include "design_file_store.h"

// The drawings under a design's plans, wherever they are: in the file the design was opened from
// or last saved to (read when a plan shows them), or imported since and held in memory until a
// save writes them. A save writes the drawings the design uses and drops the others; a drawing
// whose import was undone stays at hand, so that redoing it after a save loses nothing.
class PlanImages {
  public:
    // The design's file and the sha256 of every drawing it holds; an empty path for none.
    void SetFile(const QString& path, const QStringList& blobs);
    // No file: a new design. Drawings imported are kept.
    void ForgetFile() { SetFile({}, {}); }

    // A drawing imported: held until saved, and after.
    void Add(const DesignBlob& blob);
    // Every drawing of the file at `path` read into memory (a recovery copy, removed once read):
    // a message naming the file when one cannot be read.
    std::optional<QString> TakeAllFrom(const QString& path, const QStringList& blobs);

    // A drawing by its sha256: from memory, else read from the file; a message when neither has it.
    std::variant<DesignBlob, QString> Get(const QString& sha256) const;
    // The drawings `design` uses, as a save of it to `save.keptBlobsFrom` = the file needs them:
    // fills `newBlobs` with those only in memory and `keptBlobs` with those the file holds.
    void FillSave(const Design& design, DesignSave& save) const;
    // The design was saved at `path`: the file holds what `design` uses.
    void MarkSaved(const QString& path, const Design& design);

    // Those of the design's drawings that are at hand, by sha256, for the report (read from the
    // file as needed); a drawing that cannot be read is left out and its plan drawn blank.
    QHash<QString, DesignBlob> UsedBy(const Design& design) const;

  private:
    QString m_file;
    QStringList m_fileBlobs;
    QHash<QString, DesignBlob> m_memory;
};

// The sha256 of the drawings a design's plans use, once each, in the plans' order.
QStringList DrawingsOf(const Design& design);
