#include "batch_outputs.h"

#include <QFile>
#include <QFileInfo>

namespace tms::batch {

namespace {

// Old files larger than this are not copied for a restore: the run is refused instead.
constexpr qint64 largestKeptFile = qint64(256) * 1024 * 1024;

} // namespace

struct OutputSet::Target {
    explicit Target(const QString& path) : pending(path) {}
    PendingWrite pending;
    bool existed = false;
    QByteArray previous;
    bool replaced = false;
};

OutputSet::OutputSet() = default;
OutputSet::~OutputSet() = default;

FileResult OutputSet::prepare(const Outputs& outputs)
{
    m_targets.clear();
    for (const Output& output : outputs) {
        auto target = std::make_unique<Target>(output.path);
        if (FileResult written = target->pending.write(output.bytes); !written) {
            m_targets.clear();
            return written;
        }
        m_targets.push_back(std::move(target));
    }
    // Only the outputs replaced before another can fail are ever put back: the last
    // one's old content is not needed (nor readable, for a file it may only write).
    for (std::size_t i = 0; i + 1 < m_targets.size(); ++i) {
        Target* target = m_targets[i].get();
        const QString& path = target->pending.path();
        target->existed = QFileInfo::exists(path);
        if (!target->existed)
            continue;
        QString error;
        const std::optional<QByteArray> previous = readWholeFile(path, largestKeptFile, &error);
        if (!previous) {
            m_targets.clear();
            return FileResult::failure(
                QStringLiteral("%1 (its old content is kept for a restore should a later output fail)").arg(error));
        }
        target->previous = *previous;
    }
    return {};
}

FileResult OutputSet::replaceAll()
{
    for (std::size_t i = 0; i < m_targets.size(); ++i) {
        const FileResult committed = m_targets[i]->pending.commit();
        if (committed) {
            m_targets[i]->replaced = true;
            continue;
        }
        // Put back what the earlier outputs replaced, the latest first, so that a path
        // given twice ends with its oldest content.
        QStringList notRestored;
        for (std::size_t j = i; j-- > 0;) {
            const Target& done = *m_targets[j];
            const QString& path = done.pending.path();
            const bool restored = done.existed ? bool(writeWholeFile(path, done.previous))
                                               : (QFile::remove(path) || !QFileInfo::exists(path));
            if (!restored)
                notRestored << path;
        }
        m_targets.clear();
        if (notRestored.isEmpty())
            return committed;
        return FileResult::failure(QStringLiteral("%1; could not put back the old content of %2")
                                       .arg(committed.error, notRestored.join(QStringLiteral(", "))));
    }
    m_targets.clear();
    return {};
}

FileResult commitAll(const Outputs& outputs)
{
    OutputSet set;
    if (FileResult prepared = set.prepare(outputs); !prepared)
        return prepared;
    return set.replaceAll();
}

} // namespace tms::batch
