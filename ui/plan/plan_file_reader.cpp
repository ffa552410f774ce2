// Reading a plan the user chose to import: its type from its bytes, and why it cannot be used.
#include <QBuffer>
#include <QFile>
#include <QPdfDocument>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <cerrno>
#include <cstring>

#include "file_on_disk.h"
#include "plan_underlay.h"
#include "underlay_decoding.h"

namespace {

enum class PlanType { Unknown, Png, Jpeg, Svg, Pdf };

// An SVG is XML whose root is an <svg> element, whatever comes before it (a declaration,
// comments, a document type).
bool IsSvgText(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name() == QLatin1String("svg");
    }
    return false;
}

PlanType TypeOf(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return PlanType::Png;
    if (bytes.startsWith("\xff\xd8\xff"))
        return PlanType::Jpeg;
    // Readers of PDF accept some bytes before its mark, as some programs that write it put there.
    if (bytes.left(1024).contains("%PDF-"))
        return PlanType::Pdf;
    if (IsSvgText(bytes))
        return PlanType::Svg;
    return PlanType::Unknown;
}

QString CannotBeRead(const QString& path, const QString& why) {
    return QStringLiteral("%1 cannot be read: %2.").arg(Quoted(path), why);
}

QString Unreadable(const QString& path, int error) {
    return CannotBeRead(path, error == EACCES ? QStringLiteral("you are not allowed to read it")
                                              : QString::fromLocal8Bit(std::strerror(error)));
}

// The pages of a PDF, or why it cannot be used.
std::variant<int, QString> PdfPages(const QString& path, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    const QPdfDocument::Error error = document.error();
    if (error == QPdfDocument::Error::IncorrectPassword ||
        error == QPdfDocument::Error::UnsupportedSecurityScheme)
        return CannotBeRead(path, QStringLiteral("it is a PDF file locked with a password"));
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1)
        return CannotBeRead(path, QStringLiteral("it is a damaged PDF file"));
    return document.pageCount();
}

}  // namespace

std::variant<ImportedPlanFile, QString> ReadPlanFile(const QString& path) {
    const PathFacts facts = LookAt(path);
    if (facts.kind == FileKind::Missing)
        return CannotBeRead(path, QStringLiteral("there is no such file"));
    if (facts.kind == FileKind::Unreachable)
        return Unreadable(path, facts.error);
    if (facts.kind != FileKind::Regular)
        return CannotBeRead(path, WhatItIs(facts.kind));
    if (facts.stamp.size == 0)
        return CannotBeRead(path, QStringLiteral("it is empty"));
    if (facts.stamp.size > kMostPlanFileBytes) {
        return CannotBeRead(
            path,
            QStringLiteral("it is larger than %1 MB").arg(kMostPlanFileBytes / (1024 * 1024)));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable(path, errno != 0 ? errno : EIO);
    // One more byte than allowed, to notice a file that grew since it was looked at.
    const QByteArray bytes = file.read(kMostPlanFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Unreadable(path, EIO);
    if (bytes.isEmpty())
        return CannotBeRead(path, QStringLiteral("it is empty"));
    if (bytes.size() > kMostPlanFileBytes) {
        return CannotBeRead(
            path,
            QStringLiteral("it is larger than %1 MB").arg(kMostPlanFileBytes / (1024 * 1024)));
    }

    ImportedPlanFile imported;
    const PlanType type = TypeOf(bytes);
    switch (type) {
        case PlanType::Unknown:
            return CannotBeRead(path, QStringLiteral("it is not a PNG, JPEG, SVG or PDF file"));
        case PlanType::Png:
        case PlanType::Jpeg: {
            const bool png = type == PlanType::Png;
            const QSize size = PictureHeaderSize(bytes);
            if (!size.isEmpty() && !PictureFitsInMemory(size)) {
                return CannotBeRead(path, QStringLiteral("at %1 × %2 px the picture is too large")
                                              .arg(size.width())
                                              .arg(size.height()));
            }
            // Decoded whole: a file cut short or damaged inside shows only there.
            if (DecodePicture(bytes, {}).isNull()) {
                return CannotBeRead(path, png ? QStringLiteral("it is a damaged PNG file")
                                              : QStringLiteral("it is a damaged JPEG file"));
            }
            imported.blob = MakeDesignBlob(
                png ? QStringLiteral("image/png") : QStringLiteral("image/jpeg"), bytes);
            break;
        }
        case PlanType::Svg:
            if (!VectorDrawing::OpenSvg(bytes))
                return CannotBeRead(path, QStringLiteral("it is a damaged SVG file"));
            imported.blob = MakeDesignBlob(QStringLiteral("image/svg+xml"), bytes);
            break;
        case PlanType::Pdf: {
            const std::variant<int, QString> pages = PdfPages(path, bytes);
            if (const QString* problem = std::get_if<QString>(&pages))
                return *problem;
            imported.pageCount = std::get<int>(pages);
            imported.blob = MakeDesignBlob(QStringLiteral("application/pdf"), bytes);
            break;
        }
    }
    return imported;
}
