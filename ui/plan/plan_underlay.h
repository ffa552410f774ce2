#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <memory>
#include <variant>

#include "design_file_store.h"

// A plan's underlay drawing as the plan view shows it: a PNG or JPEG picture, an SVG drawing or one
// page of a PDF, from the bytes the design file keeps.
//
// Nothing here blocks the window: Load returns at once, and the decoding runs on a worker thread.
// A picture gives a small preview first, then the full picture, kept as a pyramid of halvings so
// that drawing it at any zoom scales at most a picture twice the size shown; an 8,000 × 8,000 px
// picture is not refused by Qt's default image allocation limit. SVG and PDF are vectors: they are
// rendered at the zoom shown, again off the window's thread, and the last rendering is scaled in
// the meantime. `changed` tells the view to repaint.
//
// The underlay's pixels are its picture's pixels; an SVG's are its own user units and a PDF
// page's are points (1/72 in), so that the plan's metres per pixel mean the same at any zoom.
class PlanUnderlay : public QObject {
    Q_OBJECT

  public:
    explicit PlanUnderlay(QObject* parent = nullptr);
    ~PlanUnderlay() override;

    // Starts showing `bytes` (of type `mime`: "image/png", "image/jpeg", "image/svg+xml",
    // "application/pdf"; `pdfPage` counts from 0), in place of what was shown. Returns at once.
    void Load(const QByteArray& bytes, const QString& mime, int pdfPage = 0);
    // Shows nothing: a blank sheet.
    void Clear();

    // The underlay's size in its pixels; empty until it is known and when nothing is shown or it
    // cannot be read. A picture's is known when Load returns (its header is read there); an SVG's
    // or a PDF page's once the worker has opened it, which `changed` tells, since a large drawing
    // takes longer to open than the window may wait.
    QSizeF SizePx() const;
    // Why the bytes cannot be shown ("The picture cannot be read."); empty otherwise.
    QString Problem() const;
    // Whether the full picture (or a rendering at the zoom last drawn) is ready.
    bool IsSharp() const;

    // Draws the underlay: `toDevice` maps its pixels to the device; only the device rectangle
    // `area` needs drawing. Draws the best that is ready, and asks the worker for a sharper
    // rendering when a vector underlay is drawn at a zoom it has not been rendered at.
    void Draw(QPainter& painter, const QTransform& toDevice, const QRectF& area);

  signals:
    // Something new to draw: the preview, the full picture, a rendering, or a problem.
    void changed();

  private:
    struct State;
    std::shared_ptr<State> m_state;
};

// What importPlan reads from a file the user chose: the blob to store (its type told by its bytes,
// not its name) and, for a PDF, the number of pages to choose from. A message naming the file when
// it cannot be read, is not a PNG, JPEG, SVG or PDF, is an empty or damaged one, or is larger than
// kMostPlanFileBytes. A picture is decoded whole to tell whether it is damaged: a second or so for
// one of 8,000 × 8,000 px, so a caller on the window's thread may want to run it on a worker.
inline constexpr qint64 kMostPlanFileBytes = 256LL * 1024 * 1024;
struct ImportedPlanFile {
    DesignBlob blob;
    int pageCount = 1;  // a PDF's pages; 1 for a picture or drawing
};
std::variant<ImportedPlanFile, QString> ReadPlanFile(const QString& path);
