#include "batch_command.h"

#include "batch_option_table.h"
#include "batch_outputs.h"
#include "palette.h"
#include "picture_render.h"
#include "pp_file.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <optional>

namespace paint {

namespace {

// The picture while the steps run, and the size --save writes.
struct Work {
    Picture picture;
    bool inputFull = false;
    std::optional<bool> saveFull; // --full or --10k; else the input's size
};

using Step = tms::batch::Step<Work>;

struct Plan {
    std::vector<Step> steps;
    std::optional<bool> saveFull;
    bool sizeGivenTwice = false;
    bool showHelp = false;
    bool showVersion = false;
};

QString helpText()
{
    return QStringLiteral(
        "Usage: easel [FILE.pp]                 opens the paint window; FILE is loaded when its name ends in .pp\n"
        "       easel [OPTIONS] INPUT.pp        converts without a window\n"
        "\n"
        "Options:\n"
        "  --save OUT.pp [--full | --10k]  writes a PowerPaint file; default: the size of the input\n"
        "  --png OUT.png                   writes the picture as shown, 256x192 pixels\n"
        "  --help                          shows this text\n"
        "  --version                       shows the version\n"
        "\n"
        "Outputs are built in the order given and replace their files only when all are\n"
        "ready. Exit status: 0 success, 1 unreadable input or unwritable output (every\n"
        "output file is then as it was), 2 usage error.\n");
}

QByteArray pngBytes(const Picture& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!pictureImage(picture, tms::standardPalette()).save(&buffer, "PNG"))
        return {};
    return bytes;
}

// An entry whose option adds one output step.
tms::batch::OptionEntry<Plan> outputOption(const char* name, const char* valueName, Step (*step)(const QString& path))
{
    return {QCommandLineOption(QLatin1String(name), QString(), QLatin1String(valueName)),
            [step](Plan& plan, const QString& path) {
                if (path.isEmpty())
                    return QStringLiteral("an output file name is empty");
                plan.steps.push_back(step(path));
                return QString();
            }};
}

tms::batch::OptionEntry<Plan> sizeOption(const char* name, bool full)
{
    return {QCommandLineOption(QLatin1String(name)), [full](Plan& plan, const QString&) {
                plan.sizeGivenTwice = plan.sizeGivenTwice || (plan.saveFull && *plan.saveFull != full);
                plan.saveFull = full;
                return QString();
            }};
}

const std::vector<tms::batch::OptionEntry<Plan>>& optionTable()
{
    static const std::vector<tms::batch::OptionEntry<Plan>> table = {
        outputOption("save", "OUT.pp",
                     [](const QString& path) -> Step {
                         return [path](Work& work, tms::batch::Outputs& outputs) {
                             const bool full = work.saveFull.value_or(work.inputFull);
                             outputs.push_back({path, ppFileBytes(work.picture, full)});
                             return QString();
                         };
                     }),
        outputOption("png", "OUT.png",
                     [](const QString& path) -> Step {
                         return [path](Work& work, tms::batch::Outputs& outputs) {
                             const QByteArray bytes = pngBytes(work.picture);
                             if (bytes.isEmpty())
                                 return QStringLiteral("Cannot encode \"%1\" as PNG").arg(path);
                             outputs.push_back({path, bytes});
                             return QString();
                         };
                     }),
        sizeOption("full", true),
        sizeOption("10k", false),
        {QCommandLineOption(QStringLiteral("help")),
         [](Plan& plan, const QString&) {
             plan.showHelp = true;
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("version")),
         [](Plan& plan, const QString&) {
             plan.showVersion = true;
             return QString();
         }},
    };
    return table;
}

} // namespace

int runBatch(const QStringList& arguments, tms::batch::Console& console)
{
    QCommandLineParser parser;
    tms::batch::declareOptions(parser, optionTable());
    if (!parser.parse(arguments))
        return console.usageError(parser.errorText());
    Plan plan;
    if (const QString error = tms::batch::takeOptions(parser, optionTable(), plan); !error.isEmpty())
        return console.usageError(error);
    if (plan.showHelp) {
        console.print(helpText());
        return tms::batch::Success;
    }
    if (plan.showVersion) {
        console.print(QStringLiteral("easel %1\n").arg(QStringLiteral(SUITE_VERSION)));
        return tms::batch::Success;
    }
    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() != 1)
        return console.usageError(inputs.isEmpty() ? QStringLiteral("no input picture given")
                                                   : QStringLiteral("only one input picture may be given"));
    if (plan.sizeGivenTwice)
        return console.usageError(QStringLiteral("--full and --10k exclude each other"));
    if (plan.saveFull && !parser.isSet(QStringLiteral("save")))
        return console.usageError(QStringLiteral("--full and --10k apply to --save only"));
    if (plan.steps.empty())
        return console.usageError(QStringLiteral("nothing to do: give --save or --png"));

    Work work;
    ClearPicture(work.picture);
    work.saveFull = plan.saveFull;
    const QString& input = inputs.first();
    if (const tms::FileResult loaded = ChargePPFile(input, work.picture, work.inputFull); !loaded) {
        // The length refusal is the Open dialog's sentence, which names no file.
        console.error(loaded.error == notPowerPaintMessage() ? QStringLiteral("\"%1\": %2").arg(input, loaded.error)
                                                             : loaded.error);
        return tms::batch::Failure;
    }
    return tms::batch::runSteps(console, work, plan.steps);
}

} // namespace paint
