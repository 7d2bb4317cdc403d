#include "batch_command_line.h"

#include "asm_export.h"
#include "batch_option_table.h"
#include "batch_outputs.h"
#include "c_export.h"
#include "font_file.h"
#include "fonts.h"
#include "print_sheet.h"
#include "project_file.h"
#include "prototype_writer.h"

#include <QCommandLineParser>
#include <QGuiApplication>
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
    // The same for the title of --export-font and the paper of --print-pdf.
    std::shared_ptr<QString> lastTitle;
    std::shared_ptr<QString> pendingTitle;
    std::shared_ptr<SheetPaper> lastPaper;
    std::shared_ptr<SheetPaper> pendingPaper;
    bool showHelp = false;
    bool showVersion = false;
};

// The setting of an output option: the one of the latest such output, or, before the
// first one, a pending value that the first one takes.
template <typename T>
T& settingToSet(std::shared_ptr<T>& last, std::shared_ptr<T>& pending, T initial)
{
    if (last)
        return *last;
    if (!pending)
        pending = std::make_shared<T>(initial);
    return *pending;
}

template <typename T>
std::shared_ptr<T> settingForNewOutput(std::shared_ptr<T>& last, const std::shared_ptr<T>& pending, T initial)
{
    last = !last && pending ? pending : std::make_shared<T>(initial);
    return last;
}

const std::optional<QString> noTitle; // the title box left empty: "NONAME"

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

std::vector<tms::batch::OptionEntry<Plan>> sharedOptions(Edition edition)
{
    return tms::batch::withHelpAndVersion<Plan>({
        outputOption("save", "OUT.dat", projectFileBytes),
        outputOption("export-asm", "OUT.asm", ExportAsm),
        {QCommandLineOption(QStringLiteral("export-c"), QString(), QStringLiteral("OUT.c")),
         [](Plan& plan, const QString& path) {
             const auto options = settingForNewOutput(plan.lastC, plan.pendingC, CExportOptions{});
             plan.steps.push_back([options, path](TileDocument& doc, tms::batch::Outputs& outputs) {
                 outputs.push_back({path, ExportC(doc, *options)});
                 return QString();
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("font"), QString(), QStringLiteral("FILE.fcv")),
         [](Plan& plan, const QString& path) {
             plan.steps.push_back([path](TileDocument& doc, tms::batch::Outputs&) {
                 const FontLoad load = LoadFontFile(path, doc);
                 return load.ok ? QString() : load.message;
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("builtin-font"), QString(), QStringLiteral("N")),
         [menu = fontMenuFaces(edition)](Plan& plan, const QString& text) {
             bool isNumber = false;
             const int number = text.toInt(&isNumber);
             if (!isNumber || number < 1 || number > int(menu.size()))
                 return QStringLiteral("--builtin-font needs a font number from 1 to %1, not \"%2\"")
                     .arg(menu.size())
                     .arg(text);
             const int face = menu[std::size_t(number - 1)];
             plan.steps.push_back([face](TileDocument& doc, tms::batch::Outputs&) {
                 ApplyFont(doc, face);
                 return QString();
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("export-font"), QString(), QStringLiteral("OUT.fcv")),
         [](Plan& plan, const QString& path) {
             const auto title = settingForNewOutput(plan.lastTitle, plan.pendingTitle, fontTitle(noTitle));
             plan.steps.push_back([title, path](TileDocument& doc, tms::batch::Outputs& outputs) {
                 outputs.push_back({path, fontFileBytes(doc, *title)});
                 return QString();
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("title"), QString(), QStringLiteral("TEXT")),
         [](Plan& plan, const QString& text) {
             settingToSet(plan.lastTitle, plan.pendingTitle, QString()) = fontTitle(text);
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("print-pdf"), QString(), QStringLiteral("OUT.pdf")),
         [](Plan& plan, const QString& path) {
             const auto paper = settingForNewOutput(plan.lastPaper, plan.pendingPaper, SheetPaper::Letter);
             plan.steps.push_back([paper, path](TileDocument& doc, tms::batch::Outputs& outputs) {
                 // The sheet's text needs the fonts of a graphical application.
                 if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
                     return QStringLiteral("Cannot make \"%1\": printing needs a graphical application").arg(path);
                 const QByteArray pdf = characterSheetPdf(sheetSourceOf(doc, editionPalette(doc.edition)), *paper);
                 if (pdf.isEmpty())
                     return QStringLiteral("Cannot make \"%1\": the PDF could not be drawn").arg(path);
                 outputs.push_back({path, pdf});
                 return QString();
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("paper"), QString(), QStringLiteral("letter|a4|b5")),
         [](Plan& plan, const QString& name) {
             const std::optional<SheetPaper> paper = paperNamed(name);
             if (!paper)
                 return QStringLiteral("--paper needs letter, a4 or b5, not \"%1\"").arg(name);
             settingToSet(plan.lastPaper, plan.pendingPaper, SheetPaper::Letter) = *paper;
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("rle")),
         [](Plan& plan, const QString&) {
             settingToSet(plan.lastC, plan.pendingC, CExportOptions{}).rle = true;
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("rows"), QString(), QStringLiteral("START:END")),
         [](Plan& plan, const QString& text) {
             const auto rows = parseRows(text);
             if (!rows)
                 return QStringLiteral("--rows needs START:END, two row numbers, not \"%1\"").arg(text);
             CExportOptions& options = settingToSet(plan.lastC, plan.pendingC, CExportOptions{});
             std::tie(options.startLine, options.endLine) = *rows;
             return QString();
         }},
    });
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
    static const std::vector<tms::batch::OptionEntry<Plan>> modeTwo = sharedOptions(Edition::ScreenMode2);
    static const std::vector<tms::batch::OptionEntry<Plan>> modeOne = [] {
        std::vector<tms::batch::OptionEntry<Plan>> table = sharedOptions(Edition::ScreenMode1);
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
               "  --font FILE.fcv                       load a font file into the patterns, as More Font\n"
               "  --builtin-font N                      apply built-in font N (1..%3)\n"
               "  --export-font OUT.fcv [--title TEXT]  write the patterns as a font file (title NONAME\n"
               "                                        when absent or blank)\n"
               "  --print-pdf OUT.pdf [--paper letter|a4|b5]\n"
               "                                        the four-page character sheet as a PDF\n"
               "                                        (letter by default)\n"
               "%2"
               "  --help                                show this text\n"
               "  --version                             show the version\n"
               "\n"
               "Every output is prepared first; the files are replaced only when all are ready.\n"
               "Exit status: 0 success, 1 an input could not be read or an output written\n"
               "(every output file is then as it was), 2 usage error.\n")
        .arg(program, prototype)
        .arg(fontMenuFaces(edition).size());
}

bool batchPaints(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        for (const char* form : {"--print-pdf", "-print-pdf"})
            if (argument == form || argument.startsWith(QByteArray(form) + '='))
                return true;
    }
    return false;
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
        return console.printed(batchHelpText(console.program(), edition));
    }
    if (plan.showVersion) {
        return console.printed(QStringLiteral("%1 %2\n").arg(console.program(), QStringLiteral(SUITE_VERSION)));
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return console.usageError(
            QStringLiteral("only one input file can be given, not %1").arg(positional.join(QStringLiteral(", "))));
    if (plan.pendingC && !plan.lastC)
        return console.usageError(QStringLiteral("--rle and --rows belong to an --export-c"));
    if (plan.pendingTitle && !plan.lastTitle)
        return console.usageError(QStringLiteral("--title belongs to an --export-font"));
    if (plan.pendingPaper && !plan.lastPaper)
        return console.usageError(QStringLiteral("--paper belongs to a --print-pdf"));
    if (plan.steps.empty())
        return console.usageError(QStringLiteral("nothing to do: give --save, --export-c, --export-asm, "
                                                 "--export-font%1 or --print-pdf")
                                      .arg(edition == Edition::ScreenMode1 ? QStringLiteral(", --write-prototype")
                                                                           : QString()));
    QStringList fileOptions{QStringLiteral("save"),        QStringLiteral("export-c"),  QStringLiteral("export-asm"),
                            QStringLiteral("export-font"), QStringLiteral("print-pdf"), QStringLiteral("font")};
    if (edition == Edition::ScreenMode1)
        fileOptions << QStringLiteral("write-prototype");
    for (const QString& name : fileOptions)
        if (parser.values(name).contains(QString()))
            return console.usageError(QStringLiteral("a file name is empty"));

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
