#include "batch_command.h"

#include "batch_directory.h"
#include "batch_options.h"
#include "batch_outputs.h"
#include "picture_file.h"

namespace dither {

int runBatch(const QStringList& arguments, tms::batch::Console& console)
{
    QCommandLineParser parser;
    declareBatchOptions(parser, asksForOutputDirectory(arguments));
    if (!parser.parse(arguments))
        return console.usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        return console.printed(parser.helpText());
    }
    if (parser.isSet(QStringLiteral("version"))) {
        return console.printed(QStringLiteral("%1 %2\n").arg(console.program(), QStringLiteral(SUITE_VERSION)));
    }

    const auto read = readBatchJob(parser);
    if (const QString* usageError = std::get_if<QString>(&read))
        return console.usageError(*usageError);
    const BatchJob& job = std::get<BatchJob>(read);
    if (!job.outputDirectory.isEmpty())
        return runDirectoryBatch(job, console);

    QString error;
    const auto picture = readPicture(job.picturePath, &error);
    if (!picture) {
        console.error(error);
        return tms::batch::Failure;
    }
    const auto result = convert(fitToScreen(*picture, job.resize, job.resolution), job.settings);
    if (!result) { // cannot happen: the colour count was checked with the options
        console.error(selectMoreColors);
        return tms::batch::UsageError;
    }
    return tms::batch::runSteps<const ConversionResult>(console, *result, job.outputs);
}

} // namespace dither
