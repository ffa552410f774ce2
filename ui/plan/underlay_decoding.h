#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <functional>
#include <memory>
#include <vector>

// The work an underlay gives its worker thread: decoding a picture, rendering part of a vector
// drawing, from the bytes the design file keeps. Any thread may call these: each builds its own
// reader or document and shares nothing. A failure is an empty value.

// Asked between steps, and while a picture's bytes are read: true when the result is no longer
// wanted (another underlay was loaded, or the view is gone), to give up early.
using Abandoned = std::function<bool()>;

// A picture's size as its header gives it, turned as its orientation mark says; empty when the
// header cannot be read. Reads a few bytes only.
QSize PictureHeaderSize(const QByteArray& bytes);

// Whether a picture of `size` px may be decoded: 1,024 MB at most, four times Qt's default limit,
// so that a scanned A0 sheet goes through while a header claiming an absurd size does not.
bool PictureFitsInMemory(QSize size);

// A JPEG larger than `longestSide` px decoded at a size that fits in it: cheap, for the decoder
// skips the detail it would throw away. Null for a JPEG that small, for any other format (a PNG
// would be decoded whole first), when it cannot be decoded, or when abandoned.
QImage PreviewOfJpeg(const QByteArray& bytes, int longestSide, const Abandoned& abandoned);

// The whole picture, turned as its orientation mark says, in a format QPainter draws without
// converting it (RGB32, or premultiplied ARGB32 when it has transparency). Qt's default limit on
// the memory a picture may take does not apply to it. Null when it cannot be decoded or was
// abandoned.
QImage DecodePicture(const QByteArray& bytes, const Abandoned& abandoned);

// `picture` and its halvings, each half the size of the one before (rounded up), down to the
// first one no larger than `smallestSide` px on either side. Empty when abandoned.
std::vector<QImage> HalvingsOf(const QImage& picture, int smallestSide, const Abandoned& abandoned);

// An image of part of a drawing: `region`, in the drawing's pixels, is what the image covers
// exactly (edge to edge).
struct UnderlayImage {
    QImage image;
    QRectF region;
};

// An SVG drawing or one page of a PDF, opened on the thread that uses it.
class VectorDrawing {
  public:
    // Nullptr when the bytes cannot be read (or the PDF has no page `pdfPage`, counted from 0).
    static std::unique_ptr<VectorDrawing> OpenSvg(const QByteArray& bytes);
    static std::unique_ptr<VectorDrawing> OpenPdfPage(const QByteArray& bytes, int pdfPage);
    virtual ~VectorDrawing() = default;

    // In the drawing's pixels: an SVG's user units, a PDF page's points.
    virtual QSizeF Size() const = 0;
    // The part `region` of the drawing (in its pixels) at `scale` image pixels to its pixel,
    // widened to whole image pixels. A PDF page is paper: it is rendered on white.
    virtual UnderlayImage Render(const QRectF& region, double scale) = 0;
};
