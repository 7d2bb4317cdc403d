#include "batch_command_line.h"

#include "asm_export.h"
#include "batch_option_table.h"
#include "batch_outputs.h"
#include "c_export.h"
#include "project_file.h"
#include "prototype_writer.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <memory>
#include <optional>

namespace tile {

namespace {

using Step = tms::batch::Step<TileDocument>;

struct Plan {
    std::vector<Step> steps;
    // The options of the latest --export-c; --rle and --rows given before any --export-c
    // wait in pendingC for the first one.
    std::shared_ptr<CExportOptions> lastC;
    std::shared_ptr<CExportOptions> pendingC;
    bool showHelp = false;
    bool showVersion = false;

    CExportOptions& cOptionsToSet()
    {
        if (lastC)
            return *lastC;
        if (!pendingC)
            pendingC = std::make_shared<CExportOptions>();
        return *pendingC;
    }
};

std::optional<std::pair<int, int>> parseRows(const QString& text)
{
    // Any two whole numbers: the export itself brings a row outside 0..23, or a start
    // after the end, back to the whole screen, as it does for the dialog's values.
    static const QRegularExpression form(QStringLiteral("^(-?\\d{1,6}):(-?\\d{1,6})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return std::pair(match.captured(1).toInt(), match.captured(2).toInt());
}

// An entry whose option writes one output built from the document.
tms::batch::OptionEntry<Plan> outputOption(const char* name, const char* valueName,
                                           std::function<QByteArray(const TileDocument&)> build)
{
    return {QCommandLineOption(QLatin1String(name), QString(), QLatin1String(valueName)),
            [build](Plan& plan, const QString& path) {
                plan.steps.push_back([build, path](TileDocument& doc, tms::batch::Outputs& outputs) {
                    outputs.push_back({path, build(doc)});
                    return QString();
                });
                return QString();
            }};
}

std::vector<tms::batch::OptionEntry<Plan>> sharedOptions()
{
    return {
        outputOption("save", "OUT.dat", projectFileBytes),
        outputOption("export-asm", "OUT.asm", ExportAsm),
        {QCommandLineOption(QStringLiteral("export-c"), QString(), QStringLiteral("OUT.c")),
         [](Plan& plan, const QString& path) {
             auto options = plan.lastC || !plan.pendingC ? std::make_shared<CExportOptions>() : plan.pendingC;
             plan.lastC = options;
             plan.steps.push_back([options, path](TileDocument& doc, tms::batch::Outputs& outputs) {
                 outputs.push_back({path, ExportC(doc, *options)});
                 return QString();
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("rle")),
         [](Plan& plan, const QString&) {
             plan.cOptionsToSet().rle = true;
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("rows"), QString(), QStringLiteral("START:END")),
         [](Plan& plan, const QString& text) {
             const auto rows = parseRows(text);
             if (!rows)
                 return QStringLiteral("--rows needs START:END, two row numbers, not \"%1\"").arg(text);
             plan.cOptionsToSet().startLine = rows->first;
             plan.cOptionsToSet().endLine = rows->second;
             return QString();
         }},
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
}

// The screen mode 1 edition writes its tables into a cartridge image as well: the
// patched image is one more output, replaced with the others or not at all.
tms::batch::OptionEntry<Plan> writePrototypeOption()
{
    return {QCommandLineOption(QStringLiteral("write-prototype"), QString(), QStringLiteral("IMAGE")),
            [](Plan& plan, const QString& image) {
                plan.steps.push_back([image](TileDocument& doc, tms::batch::Outputs& outputs) {
                    QString error;
                    std::optional<QByteArray> patched = prototypeImageWithTables(image, doc, &error);
                    if (!patched)
                        return error;
                    outputs.push_back({image, std::move(*patched)});
                    return QString();
                });
                return QString();
            }};
}

const std::vector<tms::batch::OptionEntry<Plan>>& optionTable(Edition edition)
{
    static const std::vector<tms::batch::OptionEntry<Plan>> modeTwo = sharedOptions();
    static const std::vector<tms::batch::OptionEntry<Plan>> modeOne = [] {
        std::vector<tms::batch::OptionEntry<Plan>> table = sharedOptions();
        table.push_back(writePrototypeOption());
        return table;
    }();
    return edition == Edition::ScreenMode1 ? modeOne : modeTwo;
}

} // namespace

QString batchHelpText(const QString& program, Edition edition)
{
    const QString prototype = edition != Edition::ScreenMode1
        ? QString()
        : QStringLiteral("  --write-prototype IMAGE               write the tables into the cartridge image IMAGE\n"
                         "                                        behind its \"PROTOTYPE\" marker, as the Prototype\n"
                         "                                        button does (an image of 8000 to 32767 bytes)\n");
    return QStringLiteral(
               "Usage: %1 [FILE.dat]                  open the window; FILE is loaded when its name ends in .dat\n"
               "       %1 [OPTIONS] [FILE.dat]        batch mode: no window; FILE is the input,\n"
               "                                        a reset document when absent\n"
               "\n"
               "Options, carried out in the order given:\n"
               "  --save OUT.dat                        write the project file\n"
               "  --export-c OUT.c [--rle] [--rows START:END]\n"
               "                                        write C source; --rle compresses the tables,\n"
               "                                        --rows limits a compressed name table to rows\n"
               "                                        START..END (default 0:23; a row outside 0..23\n"
               "                                        or START after END means 0:23)\n"
               "  --export-asm OUT.asm                  write assembler source\n"
               "%2"
               "  --help                                show this text\n"
               "  --version                             show the version\n"
               "\n"
               "Every output is prepared first; the files are replaced only when all are ready.\n"
               "Exit status: 0 success, 1 an input could not be read or an output written\n"
               "(every output file is then as it was), 2 usage error.\n")
        .arg(program, prototype);
}

int runBatch(const QStringList& arguments, tms::batch::Console& console, Edition edition)
{
    QCommandLineParser parser;
    tms::batch::declareOptions(parser, optionTable(edition));
    if (!parser.parse(arguments))
        return console.usageError(parser.errorText());
    Plan plan;
    if (const QString error = tms::batch::takeOptions(parser, optionTable(edition), plan); !error.isEmpty())
        return console.usageError(error);
    if (plan.showHelp) {
        console.print(batchHelpText(console.program(), edition));
        return tms::batch::Success;
    }
    if (plan.showVersion) {
        console.print(QStringLiteral("%1 %2\n").arg(console.program(), QStringLiteral(SUITE_VERSION)));
        return tms::batch::Success;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return console.usageError(
            QStringLiteral("only one input file can be given, not %1").arg(positional.join(QStringLiteral(", "))));
    if (plan.pendingC && !plan.lastC)
        return console.usageError(QStringLiteral("--rle and --rows belong to an --export-c"));
    if (plan.steps.empty())
        return console.usageError(QString::fromLatin1(
            edition == Edition::ScreenMode1 ? "nothing to do: give --save, --export-c, --export-asm or --write-prototype"
                                            : "nothing to do: give --save, --export-c or --export-asm"));
    for (const auto& entry : optionTable(edition))
        if (!entry.option.valueName().isEmpty() && parser.values(entry.option.names().first()).contains(QString()))
            return console.usageError(QStringLiteral("an output file name is empty"));

    TileDocument doc(edition);
    if (!positional.isEmpty()) {
        const ProjectLoad load = loadProjectFile(positional.first(), doc);
        if (!load.ok()) {
            console.error(load.message);
            return tms::batch::Failure;
        }
    }
    return tms::batch::runSteps(console, doc, plan.steps);
}

} // namespace tile
