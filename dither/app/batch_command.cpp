#include "batch_command.h"

#include "atomic_file.h"
#include "batch_directory.h"
#include "batch_options.h"
#include "batch_outputs.h"
#include "picture_signature.h"

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

bool opensWindow(int argc, char** argv)
{
    if (argc > 2)
        return false;
    return argc == 1 || argv[1][0] != '-' || argv[1][1] == '\0';
}

int runBatchProgram(int argc, char** argv, const PictureCodecs& codecs)
{
    tms::ignoreFileSizeLimitSignal();
    QCoreApplication app(argc, argv);
    nameApplication();
    tms::batch::Console console(QStringLiteral("dither"));
    return tms::batch::runFromCommandLine(
        console, argc, argv, [&](const QStringList& arguments) { return runBatch(arguments, console, codecs); });
}

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("tms-graphics-suite"));
    QCoreApplication::setApplicationName(QStringLiteral("dither"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
}

int runBatch(const QStringList& arguments, tms::batch::Console& console, const PictureCodecs& codecs)
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

    const auto read = readBatchJob(parser, codecs);
    if (const QString* usageError = std::get_if<QString>(&read))
        return console.usageError(*usageError);
    const BatchJob& job = std::get<BatchJob>(read);
    if (job.writesPictures && !codecs.encode)
        return needsFullProgram;
    if (!job.outputDirectory.isEmpty())
        return runDirectoryBatch(job, console);

    const NoImagePlugins noPlugins(isBuiltInPicture(job.picturePath));
    const FittedPicture picture = codecs.read(job.picturePath, job.resize, job.resolution);
    if (picture.outcome == FittedPicture::NotSure)
        return needsFullProgram;
    if (picture.outcome == FittedPicture::Refused) {
        console.error(picture.error);
        return tms::batch::Failure;
    }
    const auto result = convert(picture.picture, job.settings);
    if (!result) { // cannot happen: the colour count was checked with the options
        console.error(selectMoreColors);
        return tms::batch::UsageError;
    }
    return tms::batch::runSteps<const ConversionResult>(console, *result, job.outputs);
}

} // namespace dither
