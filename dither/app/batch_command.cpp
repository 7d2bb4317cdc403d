#include "batch_command.h"

#include "atomic_file.h"
#include "batch.h"
#include "batch_options.h"
#include "picture_file.h"
#include "result_output.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace dither {

namespace {

const QString program = QStringLiteral("dither");

void printOut(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

QByteArray outputBytes(const ConversionResult& result, OutputKind kind)
{
    switch (kind) {
    case OutputKind::PowerPaintFull: return powerPaintFile(result, true);
    case OutputKind::PowerPaint10K: return powerPaintFile(result, false);
    case OutputKind::Bmp: return encodedResultImage(result, "BMP");
    case OutputKind::Png: return encodedResultImage(result, "PNG");
    }
    return {};
}

} // namespace

int runBatch(const QStringList& arguments)
{
    QCommandLineParser parser;
    declareBatchOptions(parser);
    if (arguments.size() < 2) {
        tms::batch::printError(program, QStringLiteral("no picture given (the window comes in a later version)"));
        std::fputs(parser.helpText().toLocal8Bit().constData(), stderr);
        return tms::batch::UsageError;
    }
    if (!parser.parse(arguments)) {
        tms::batch::printError(program, parser.errorText());
        return tms::batch::UsageError;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        printOut(parser.helpText());
        return tms::batch::Success;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        printOut(QStringLiteral("%1 %2\n").arg(program, QCoreApplication::applicationVersion()));
        return tms::batch::Success;
    }

    const auto read = readBatchJob(parser);
    if (const QString* usageError = std::get_if<QString>(&read)) {
        tms::batch::printError(program, *usageError);
        return tms::batch::UsageError;
    }
    const BatchJob& job = std::get<BatchJob>(read);

    QString error;
    const auto picture = readPicture(job.picturePath, &error);
    if (!picture) {
        tms::batch::printError(program, error);
        return tms::batch::Failure;
    }
    const auto result = convert(apply_resize(*picture, job.resize, job.resolution), job.settings);
    if (!result) { // cannot happen: the colour count was checked with the options
        tms::batch::printError(program, selectMoreColors);
        return tms::batch::UsageError;
    }

    for (const OutputRequest& output : job.outputs) {
        const QByteArray bytes = outputBytes(*result, output.kind);
        if (bytes.isEmpty()) {
            tms::batch::printError(program, QStringLiteral("Cannot encode \"%1\"").arg(output.path));
            return tms::batch::Failure;
        }
        const tms::FileResult written = tms::writeWholeFile(output.path, bytes);
        if (!written) {
            tms::batch::printError(program, written.error);
            return tms::batch::Failure;
        }
    }
    return tms::batch::Success;
}

} // namespace dither
