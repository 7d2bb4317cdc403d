#include "batch_command.h"

#include "batch_directory.h"
#include "batch_options.h"
#include "batch_outputs.h"
#include "picture_file.h"

#include <QCoreApplication>

namespace dither {

namespace {

// Qt reads and writes PNG and BMP itself, yet a writer first loads every image plugin to
// ask whether one would rather write the format (a third of a one-picture run's time).
// While it lives, a run whose picture needs no plugin looks for none.
class NoImagePlugins {
public:
    explicit NoImagePlugins(bool wanted) : m_paths(QCoreApplication::libraryPaths()), m_active(wanted)
    {
        if (m_active)
            QCoreApplication::setLibraryPaths({});
    }
    ~NoImagePlugins()
    {
        if (m_active)
            QCoreApplication::setLibraryPaths(m_paths);
    }
    NoImagePlugins(const NoImagePlugins&) = delete;
    NoImagePlugins& operator=(const NoImagePlugins&) = delete;

private:
    QStringList m_paths;
    bool m_active;
};

} // namespace

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("tms-graphics-suite"));
    QCoreApplication::setApplicationName(QStringLiteral("dither"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
}

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

    const NoImagePlugins noPlugins(isBuiltInPicture(job.picturePath));
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
