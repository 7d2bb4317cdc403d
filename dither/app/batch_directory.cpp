#include "batch_directory.h"

#include "batch_outputs.h"
#include "picture_file.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

namespace dither {

namespace {

// Reads, converts and writes one picture; returns the reason it was refused, or an
// empty text.
QString convertOne(const BatchJob& job, const QString& picturePath)
{
    QString error;
    const auto picture = readPicture(picturePath, &error);
    if (!picture)
        return error;
    const auto result = convert(fitToScreen(*picture, job.resize, job.resolution), job.settings);
    if (!result) // cannot happen: the colour count was checked with the options
        return selectMoreColors;
    tms::batch::Outputs outputs;
    for (const OutputKind* kind : job.directoryOutputs) {
        const QString path = directoryOutputPath(job.outputDirectory, picturePath, *kind);
        const QByteArray bytes = kind->bytes(*result);
        if (bytes.isEmpty())
            return QStringLiteral("Cannot encode \"%1\"").arg(path);
        outputs.push_back({path, bytes});
    }
    if (const tms::FileResult committed = tms::batch::commitAll(outputs); !committed)
        return committed.error;
    return {};
}

QString progressText(int done, int total)
{
    return QStringLiteral("%1: %2 of %3 pictures").arg(QStringLiteral("dither")).arg(done).arg(total);
}

} // namespace

QString directoryOutputPath(const QString& directory, const QString& picturePath, const OutputKind& kind)
{
    return QDir(directory).filePath(QFileInfo(picturePath).completeBaseName() + QLatin1String(kind.extension));
}

int runDirectoryBatch(const BatchJob& job, tms::batch::Console& console)
{
    if (!QDir().mkpath(job.outputDirectory)) {
        console.error(QStringLiteral("Cannot create the folder \"%1\"").arg(job.outputDirectory));
        return tms::batch::Failure;
    }
    const QStringList& pictures = job.picturePaths;
    const int total = int(pictures.size());
    std::vector<QString> refusals(static_cast<std::size_t>(total));

    // Two pictures of the same base name would write the same files: the later one is
    // refused before anything runs, so no picture overwrites another's result.
    QHash<QString, int> writer;
    for (int i = 0; i < total; ++i)
        for (const OutputKind* kind : job.directoryOutputs) {
            const QString target =
                QFileInfo(directoryOutputPath(job.outputDirectory, pictures[i], *kind)).absoluteFilePath();
            if (const auto first = writer.constFind(target); first != writer.constEnd()) {
                refusals[std::size_t(i)] = QStringLiteral("\"%1\" would write \"%2\" as \"%3\" does")
                                               .arg(pictures[i], target, pictures[*first]);
                break;
            }
            writer.insert(target, i);
        }

    std::atomic<int> next{0}, done{0};
    auto work = [&] {
        for (int i = next++; i < total; i = next++) {
            if (refusals[std::size_t(i)].isEmpty())
                refusals[std::size_t(i)] = convertOne(job, pictures[i]);
            ++done;
        }
    };
    const int threads = std::max(1, std::min(QThread::idealThreadCount(), total));
    // Watching the progress costs nothing worth a core: then every core converts and
    // this thread only looks a few times a second.
    const bool watch = console.showsProgress();
    std::vector<std::thread> workers;
    for (int t = watch ? 0 : 1; t < threads; ++t)
        workers.emplace_back(work);
    if (watch) {
        while (done < total) {
            console.progress(progressText(done, total));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        console.progress(progressText(done, total));
        console.finishProgress();
    } else {
        work();
    }
    for (std::thread& worker : workers)
        worker.join();

    int refused = 0;
    for (const QString& reason : refusals)
        if (!reason.isEmpty()) {
            console.error(reason);
            ++refused;
        }
    const int printed = console.printed(
        QStringLiteral("Converted %1 of %2 pictures into \"%3\"%4\n")
            .arg(total - refused)
            .arg(total)
            .arg(job.outputDirectory, refused ? QStringLiteral(", refused %1").arg(refused) : QString()));
    return refused ? tms::batch::Failure : printed;
}

} // namespace dither
