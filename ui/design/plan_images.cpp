#include "plan_images.h"

void PlanImages::SetFile(const QString& path, const QStringList& blobs) {
    m_file = path;
    m_fileBlobs = path.isEmpty() ? QStringList() : blobs;
}

void PlanImages::Add(const DesignBlob& blob) {
    m_memory.insert(blob.sha256, blob);
}

std::optional<QString> PlanImages::TakeAllFrom(const QString& path, const QStringList& blobs) {
    for (const QString& sha256 : blobs) {
        const auto read = ReadDesignBlob(path, sha256);
        if (const auto* message = std::get_if<QString>(&read))
            return *message;
        Add(std::get<DesignBlob>(read));
    }
    return std::nullopt;
}

std::variant<DesignBlob, QString> PlanImages::Get(const QString& sha256) const {
    if (const auto found = m_memory.constFind(sha256); found != m_memory.cend())
        return *found;
    if (m_file.isEmpty() || !m_fileBlobs.contains(sha256))
        return QStringLiteral("The plan's drawing is missing from the design.");
    return ReadDesignBlob(m_file, sha256);
}

void PlanImages::FillSave(const Design& design, DesignSave& save) const {
    save.keptBlobsFrom = m_file;
    for (const QString& sha256 : DrawingsOf(design)) {
        // The file's copy first: a drawing already stored is not written again.
        if (!m_file.isEmpty() && m_fileBlobs.contains(sha256))
            save.keptBlobs << sha256;
        else if (const auto found = m_memory.constFind(sha256); found != m_memory.cend())
            save.newBlobs.push_back(*found);
        // Neither (a file that lost it): SaveDesignFile refuses the save and names it.
        else if (!m_file.isEmpty())
            save.keptBlobs << sha256;
    }
}

void PlanImages::MarkSaved(const QString& path, const Design& design) {
    SetFile(path, DrawingsOf(design));
}

QHash<QString, DesignBlob> PlanImages::UsedBy(const Design& design) const {
    QHash<QString, DesignBlob> used;
    for (const QString& sha256 : DrawingsOf(design)) {
        const auto blob = Get(sha256);
        if (const auto* found = std::get_if<DesignBlob>(&blob))
            used.insert(sha256, *found);
    }
    return used;
}

QStringList DrawingsOf(const Design& design) {
    QStringList drawings;
    for (const Plan& plan : design.plans) {
        if (!plan.image)
            continue;
        const QString sha256 = QString::fromStdString(*plan.image);
        if (!drawings.contains(sha256))
            drawings << sha256;
    }
    return drawings;
}
