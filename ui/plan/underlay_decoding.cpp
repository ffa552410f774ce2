#include "underlay_decoding.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

// An 8,000 × 8,000 px plan takes 256 MB decoded, Qt's default limit: four times that lets a
// scanned A0 sheet through while still refusing a header that claims an absurd size.
constexpr int kMostPictureMegabytes = 1024;

// The picture's bytes, read by the decoder, which stops at the first read refused.
class AbandonableBuffer : public QBuffer {
  public:
    AbandonableBuffer(const QByteArray& bytes, Abandoned abandoned)
        : m_abandoned(std::move(abandoned)) {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }

  protected:
    qint64 readData(char* data, qint64 most) override {
        if (m_abandoned && m_abandoned())
            return -1;
        return QBuffer::readData(data, most);
    }

  private:
    Abandoned m_abandoned;
};

void PrepareReader(QImageReader& reader) {
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kMostPictureMegabytes);
}

// The format QPainter draws fastest, so that no drawing converts the picture first.
QImage Drawable(QImage picture) {
    const QImage::Format format =
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (picture.format() != format)
        picture.convertTo(format);
    return picture;
}

// Where a part of a drawing falls on the pixels of the whole drawing rendered at a scale.
struct PixelGrid {
    QSize whole;  // the whole drawing
    QRect part;   // the part, widened to whole pixels
    double xScale = 1, yScale = 1;
};

PixelGrid GridFor(const QSizeF& size, const QRectF& region, double scale) {
    PixelGrid grid;
    grid.whole = QSize(std::max(1, int(std::lround(size.width() * scale))),
                       std::max(1, int(std::lround(size.height() * scale))));
    grid.xScale = grid.whole.width() / size.width();
    grid.yScale = grid.whole.height() / size.height();
    auto span = [](double from, double to, int most) {
        int first = std::clamp(int(std::floor(from)), 0, most - 1);
        int last = std::clamp(int(std::ceil(to)), first + 1, most);
        return std::pair{first, last};
    };
    const auto [left, right] =
        span(region.left() * grid.xScale, region.right() * grid.xScale, grid.whole.width());
    const auto [top, bottom] =
        span(region.top() * grid.yScale, region.bottom() * grid.yScale, grid.whole.height());
    grid.part = QRect(left, top, right - left, bottom - top);
    return grid;
}

QRectF Covered(const PixelGrid& grid) {
    return QRectF(grid.part.x() / grid.xScale, grid.part.y() / grid.yScale,
                  grid.part.width() / grid.xScale, grid.part.height() / grid.yScale);
}

class SvgDrawing : public VectorDrawing {
  public:
    bool Open(const QByteArray& bytes) {
        if (!m_renderer.load(bytes) || !m_renderer.isValid())
            return false;
        // Its pixels are its user units: the viewBox, which Qt makes of the width and height
        // when there is none.
        const QRectF box = m_renderer.viewBoxF();
        m_size = box.isEmpty() ? QSizeF(m_renderer.defaultSize()) : box.size();
        return !m_size.isEmpty();
    }
    QSizeF Size() const override { return m_size; }
    UnderlayImage Render(const QRectF& region, double scale) override {
        const PixelGrid grid = GridFor(m_size, region, scale);
        QImage image(grid.part.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        painter.translate(-grid.part.topLeft());
        painter.scale(grid.xScale, grid.yScale);
        m_renderer.render(&painter, QRectF(QPointF(), m_size));
        painter.end();
        return {image, Covered(grid)};
    }

  private:
    QSvgRenderer m_renderer;
    QSizeF m_size;
};

class PdfPageDrawing : public VectorDrawing {
  public:
    bool Open(const QByteArray& bytes, int page) {
        m_buffer.setData(bytes);
        m_buffer.open(QIODevice::ReadOnly);
        // From a buffer, which is not sequential, the document loads before `load` returns.
        m_document.load(&m_buffer);
        if (m_document.status() != QPdfDocument::Status::Ready || page < 0 ||
            page >= m_document.pageCount())
            return false;
        m_page = page;
        m_size = m_document.pagePointSize(page);
        return !m_size.isEmpty();
    }
    QSizeF Size() const override { return m_size; }
    UnderlayImage Render(const QRectF& region, double scale) override {
        const PixelGrid grid = GridFor(m_size, region, scale);
        QPdfDocumentRenderOptions options;
        options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
        options.setScaledSize(grid.whole);
        options.setScaledClipRect(grid.part);
        const QImage ink = m_document.render(m_page, grid.part.size(), options);
        QImage paper(grid.part.size(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter(&paper).drawImage(0, 0, ink);
        return {paper, Covered(grid)};
    }

  private:
    QBuffer m_buffer;
    QPdfDocument m_document;
    int m_page = 0;
    QSizeF m_size;
};

}  // namespace

QSize PictureHeaderSize(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    PrepareReader(reader);
    QSize size = reader.size();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size.isEmpty() ? QSize() : size;
}

bool PictureFitsInMemory(QSize size) {
    return qint64(size.width()) * size.height() * 4 <= qint64(kMostPictureMegabytes) * 1024 * 1024;
}

QImage PreviewOfJpeg(const QByteArray& bytes, int longestSide, const Abandoned& abandoned) {
    AbandonableBuffer buffer(bytes, abandoned);
    QImageReader reader(&buffer);
    PrepareReader(reader);
    if (reader.format() != "jpeg")
        return {};
    const QSize size = reader.size();
    if (size.isEmpty() || (size.width() <= longestSide && size.height() <= longestSide))
        return {};
    reader.setScaledSize(size.scaled(longestSide, longestSide, Qt::KeepAspectRatio));
    QImage preview;
    if (!reader.read(&preview))
        return {};
    return Drawable(std::move(preview));
}

QImage DecodePicture(const QByteArray& bytes, const Abandoned& abandoned) {
    AbandonableBuffer buffer(bytes, abandoned);
    QImageReader reader(&buffer);
    PrepareReader(reader);
    QImage picture;
    if (!reader.read(&picture) || (abandoned && abandoned()))
        return {};
    return Drawable(std::move(picture));
}

std::vector<QImage> HalvingsOf(const QImage& picture, int smallestSide,
                               const Abandoned& abandoned) {
    std::vector<QImage> levels{picture};
    while (levels.back().width() > smallestSide || levels.back().height() > smallestSide) {
        if (abandoned && abandoned())
            return {};
        const QImage& last = levels.back();
        const QSize half((last.width() + 1) / 2, (last.height() + 1) / 2);
        QImage next = Drawable(last.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        levels.push_back(std::move(next));
    }
    return levels;
}

std::unique_ptr<VectorDrawing> VectorDrawing::OpenSvg(const QByteArray& bytes) {
    auto drawing = std::make_unique<SvgDrawing>();
    if (!drawing->Open(bytes))
        return nullptr;
    return drawing;
}

std::unique_ptr<VectorDrawing> VectorDrawing::OpenPdfPage(const QByteArray& bytes, int pdfPage) {
    auto drawing = std::make_unique<PdfPageDrawing>();
    if (!drawing->Open(bytes, pdfPage))
        return nullptr;
    return drawing;
}
