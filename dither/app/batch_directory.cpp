#include "batch_directory.h"

#include "batch_command.h"
#include "batch_outputs.h"
#include "powerpaint.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace dither {

namespace {

// The most a run that may still be handed over keeps of its outputs in memory.
constexpr qint64 keptOutputsLimit = qint64(64) << 20;

// One picture read, converted and encoded: its files in memory, or why it was refused,
// or that the program's reader left it to the full program.
struct PreparedPicture {
    tms::batch::Outputs outputs;
    QString refusal;
    bool notSure = false;
};

PreparedPicture prepareOne(const BatchJob& job, const QString& picturePath)
{
    PreparedPicture prepared;
    const FittedPicture picture = job.codecs->read(picturePath, job.resize, job.resolution);
    if (picture.outcome != FittedPicture::Read) {
        prepared.notSure = picture.outcome == FittedPicture::NotSure;
        prepared.refusal = picture.error;
        return prepared;
    }
    const auto result = convert(picture.picture, job.settings);
    if (!result) { // cannot happen: the colour count was checked with the options
        prepared.refusal = selectMoreColors;
        return prepared;
    }
    for (const OutputKind* kind : job.directoryOutputs) {
        const QString path = directoryOutputPath(job.outputDirectory, picturePath, *kind);
        const QByteArray bytes = kind->bytes(*result, *job.codecs);
        if (bytes.isEmpty()) {
            prepared.refusal = QStringLiteral("Cannot encode \"%1\"").arg(path);
            return prepared;
        }
        prepared.outputs.push_back({path, bytes});
    }
    return prepared;
}

// Writes a prepared picture's files together; returns why they could not be, or an
// empty text.
QString commitOne(const PreparedPicture& prepared)
{
    if (!prepared.refusal.isEmpty())
        return prepared.refusal;
    if (const tms::FileResult committed = tms::batch::commitAll(prepared.outputs); !committed)
        return committed.error;
    return {};
}

QString progressText(int done, int total)
{
    return QStringLiteral("%1: %2 of %3 pictures").arg(QStringLiteral("dither")).arg(done).arg(total);
}

// Runs work(i) for i = 0..total-1 on every core, with the progress line where the
// console shows one (and watch is set).
void runOnAllCores(int total, tms::batch::Console& console, bool watch, const std::function<void(int)>& work)
{
    std::atomic<int> next{0}, done{0};
    auto worker = [&] {
        for (int i = next++; i < total; i = next++) {
            work(i);
            ++done;
        }
    };
    const int threads = std::max(1, std::min(QThread::idealThreadCount(), total));
    // Watching the progress costs nothing worth a core: then every core converts and
    // this thread only looks a few times a second.
    watch = watch && console.showsProgress();
    std::vector<std::thread> workers;
    for (int t = watch ? 0 : 1; t < threads; ++t)
        workers.emplace_back(worker);
    if (watch) {
        while (done < total) {
            console.progress(progressText(done, total));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        console.progress(progressText(done, total));
        console.finishProgress();
    } else {
        worker();
    }
    for (std::thread& thread : workers)
        thread.join();
}

} // namespace

QString directoryOutputPath(const QString& directory, const QString& picturePath, const OutputKind& kind)
{
    return QDir(directory).filePath(QFileInfo(picturePath).completeBaseName() + QLatin1String(kind.extension));
}

int runDirectoryBatch(const BatchJob& job, tms::batch::Console& console)
{
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

    auto createFolder = [&] {
        if (QDir().mkpath(job.outputDirectory))
            return true;
        console.error(QStringLiteral("Cannot create the folder \"%1\"").arg(job.outputDirectory));
        return false;
    };
    if (job.codecs->mayLeavePictures) {
        // The run may still go to the full program: every picture is read and converted
        // before the first file (or the folder) is written, their files kept in memory.
        // A run too long to keep goes there at once: its start-up hardly counts.
        if (qint64(total) * qint64(job.directoryOutputs.size()) * tms::powerpaint::fullSize > keptOutputsLimit)
            return needsFullProgram;
        std::vector<PreparedPicture> prepared(static_cast<std::size_t>(total));
        runOnAllCores(total, console, true, [&](int i) {
            if (refusals[std::size_t(i)].isEmpty())
                prepared[std::size_t(i)] = prepareOne(job, pictures[i]);
        });
        for (const PreparedPicture& picture : prepared)
            if (picture.notSure)
                return needsFullProgram;
        if (!createFolder())
            return tms::batch::Failure;
        runOnAllCores(total, console, false, [&](int i) {
            if (refusals[std::size_t(i)].isEmpty())
                refusals[std::size_t(i)] = commitOne(prepared[std::size_t(i)]);
            prepared[std::size_t(i)] = {};
        });
    } else {
        if (!createFolder())
            return tms::batch::Failure;
        runOnAllCores(total, console, true, [&](int i) {
            if (refusals[std::size_t(i)].isEmpty())
                refusals[std::size_t(i)] = commitOne(prepareOne(job, pictures[i]));
        });
    }

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
