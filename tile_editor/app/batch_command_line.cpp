#include "batch_command_line.h"

#include "asm_export.h"
#include "batch_outputs.h"
#include "binary_export.h"
#include "c_export.h"
#include "font_file.h"
#include "fonts.h"
#include "image_bytes.h"
#include "picture_options.h"
#include "picture_tiles.h"
#include "print_sheet.h"
#include "project_file.h"
#include "prototype_writer.h"
#include "table_format_options.h"
#include "tile_sheets.h"

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
    // --asm-syntax, --c-style and --compress set the export given just before them.
    std::shared_ptr<AsmExportOptions> lastAsm;
    std::shared_ptr<tms::Compression> lastBin;
    tms::batch::TableExport lastTableExport = tms::batch::TableExport::None;
    // The conversion settings of --import-picture, pending and last as for --title.
    std::shared_ptr<dither::PictureImportSettings> lastPicture;
    std::shared_ptr<dither::PictureImportSettings> pendingPicture;
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

// An entry whose option writes a PNG picture made from the document.
tms::batch::OptionEntry<Plan> pictureOutputOption(const char* name, QImage (*picture)(const TileDocument&))
{
    return {QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("OUT.png")),
            [picture](Plan& plan, const QString& path) {
        plan.steps.push_back([picture, path](TileDocument& doc, tms::batch::Outputs& outputs) {
            const std::optional<QByteArray> png = tms::encodeImage(picture(doc), "PNG");
            if (!png)
                return QStringLiteral("Cannot encode \"%1\"").arg(path);
            outputs.push_back({path, *png});
            return QString();
        });
        return QString();
            }};
}

// An entry whose option reads a file into the document.
tms::batch::OptionEntry<Plan> inputOption(const char* name, const char* valueName,
                                          QString (*read)(const QString& path, TileDocument& doc))
{
    return {QCommandLineOption(QLatin1String(name), QString(), QLatin1String(valueName)),
            [read](Plan& plan, const QString& path) {
        plan.steps.push_back([read, path](TileDocument& doc, tms::batch::Outputs&) { return read(path, doc); });
        return QString();
            }};
}

// --import-picture and the conversion options that go with it.
std::vector<tms::batch::OptionEntry<Plan>> pictureImportOptions()
{
    std::vector<tms::batch::OptionEntry<Plan>> entries;
    entries.push_back({QCommandLineOption(QStringLiteral("import-picture"), QString(), QStringLiteral("FILE")),
                       [](Plan& plan, const QString& path) {
        const auto settings =
            settingForNewOutput(plan.lastPicture, plan.pendingPicture, dither::PictureImportSettings{});
        plan.steps.push_back([settings, path](TileDocument& doc, tms::batch::Outputs&) {
            return importPictureFile(path, *settings, doc);
        });
        return QString();
                       }});
    for (const dither::PictureOption& option : dither::pictureOptions())
        entries.push_back({QCommandLineOption(QLatin1String(option.name), QString(), QLatin1String(option.valueName)),
                           [read = option.read](Plan& plan, const QString& text) {
            return read(text, settingToSet(plan.lastPicture, plan.pendingPicture, dither::PictureImportSettings{}));
                           }});
    for (const dither::PictureFlag& flag : dither::pictureFlags())
        entries.push_back({QCommandLineOption(QLatin1String(flag.name), QLatin1String(flag.description)),
                           [setting = flag.setting](Plan& plan, const QString&) {
            settingToSet(plan.lastPicture, plan.pendingPicture, dither::PictureImportSettings{}).*setting = true;
            return QString();
                           }});
    return entries;
}

// The table with the pictures' options added: the imports and the PNG outputs.
std::vector<tms::batch::OptionEntry<Plan>> withPictureOptions(std::vector<tms::batch::OptionEntry<Plan>> table)
{
    std::vector<tms::batch::OptionEntry<Plan>> pictures = pictureImportOptions();
    pictures.push_back(pictureOutputOption("png", screenPicture));
    pictures.push_back(pictureOutputOption("export-tileset", tilesetPicture));
    pictures.push_back(pictureOutputOption("export-sprites", spriteSheetPicture));
    pictures.push_back(inputOption("import-tileset", "FILE.png", importTilesetFile));
    pictures.push_back(inputOption("import-sprites", "FILE.png", importSpriteSheetFile));
    table.insert(table.end(), pictures.begin(), pictures.end());
    return table;
}

std::vector<tms::batch::OptionEntry<Plan>> sharedOptions(Edition edition)
{
    return tms::batch::withHelpAndVersion<Plan>(tms::batch::withTableFormatOptions<Plan>({
        outputOption("save", "OUT.dat", projectFileBytes),
        {QCommandLineOption(QStringLiteral("export-asm"), QString(), QStringLiteral("OUT.asm")),
         [](Plan& plan, const QString& path) {
             const auto options = plan.lastAsm = std::make_shared<AsmExportOptions>();
             plan.lastTableExport = tms::batch::TableExport::Asm;
             plan.steps.push_back([options, path](TileDocument& doc, tms::batch::Outputs& outputs) {
                 outputs.push_back({path, exportAsm(doc, *options)});
                 return QString();
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("export-c"), QString(), QStringLiteral("OUT.c")),
         [](Plan& plan, const QString& path) {
             const auto options = settingForNewOutput(plan.lastC, plan.pendingC, CExportOptions{});
             plan.lastTableExport = tms::batch::TableExport::C;
             plan.steps.push_back([options, path](TileDocument& doc, tms::batch::Outputs& outputs) {
                 for (tms::batch::Output& file : cExportFiles(path, doc, *options))
                     outputs.push_back(std::move(file));
                 return QString();
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("export-bin"), QString(), QStringLiteral("PREFIX")),
         [](Plan& plan, const QString& prefix) {
             const auto compression = plan.lastBin = std::make_shared<tms::Compression>(tms::Compression::None);
             plan.lastTableExport = tms::batch::TableExport::Bin;
             plan.steps.push_back([compression, prefix](TileDocument& doc, tms::batch::Outputs& outputs) {
                 for (tms::batch::Output& file : binaryExportFiles(prefix, doc, *compression))
                     outputs.push_back(std::move(file));
                 return QString();
             });
             return QString();
         }},
        {QCommandLineOption(QStringLiteral("font"), QString(), QStringLiteral("FILE.fcv")),
         [](Plan& plan, const QString& path) {
             plan.steps.push_back([path](TileDocument& doc, tms::batch::Outputs&) {
                 const FontLoad load = loadFontFile(path, doc);
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
                 applyFont(doc, face);
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
             CExportOptions& options = settingToSet(plan.lastC, plan.pendingC, CExportOptions{});
             options.rle = true; // the same as --compress rle
             options.compression = tms::Compression::None;
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
    }));
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
    auto build = [](Edition forEdition) {
        std::vector<tms::batch::OptionEntry<Plan>> table = withPictureOptions(sharedOptions(forEdition));
        if (editionTraits(forEdition).writesPrototype)
            table.push_back(writePrototypeOption());
        return table;
    };
    static const std::vector<tms::batch::OptionEntry<Plan>> modeTwo = build(Edition::ScreenMode2);
    static const std::vector<tms::batch::OptionEntry<Plan>> modeOne = build(Edition::ScreenMode1);
    return edition == Edition::ScreenMode1 ? modeOne : modeTwo;
}

} // namespace

QString batchHelpText(const QString& program, Edition edition)
{
    const QString prototype =
        !editionTraits(edition).writesPrototype
            ? QString()
            : QStringLiteral(
                "  --write-prototype IMAGE               write the tables into the cartridge image IMAGE\n"
                "                                        behind its \"PROTOTYPE\" marker, as the Prototype\n"
                "                                        button does (an image of 8000 to 32768 bytes)\n");
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
               "    [--c-style coleco|stdint]           coleco (default): byte arrays for the console's\n"
               "                                        library; stdint: const uint8_t arrays (kept in\n"
               "                                        ROM) and OUT.h beside OUT.c with an extern and a\n"
               "                                        NAME_SIZE for each table\n"
               "    [--compress CODEC]                  --rle is --compress rle\n"
               "  --export-asm OUT.asm                  write assembler source\n"
               "    [--asm-syntax dot|db|sdas]          dot (default): .byte $hh and .end; db: db $hh\n"
               "                                        for pasmo, z80asm, sjasmplus; sdas: for SDCC's\n"
               "                                        assembler, each table a global _NAME\n"
               "    [--compress CODEC]\n"
               "  --export-bin PREFIX [--compress CODEC]\n"
               "                                        write the raw tables: PREFIX.nam, .pat, .col,\n"
               "                                        .spr (sprite patterns), .spc (sprite colours);\n"
               "                                        compressed files get .rle, .zx0 or .plet added\n"
               "  --compress none|rle|zx0|pletter       after --export-bin, --export-c or --export-asm:\n"
               "                                        how that export compresses its tables (ZX0\n"
               "                                        version 2, Pletter 0.5; default none); a\n"
               "                                        compressed table is named NAMERLE, NAMEZX0...\n"
               "  --font FILE.fcv                       load a font file into the patterns, as More Font\n"
               "  --builtin-font N                      apply built-in font N (1..%3)\n"
               "  --export-font OUT.fcv [--title TEXT]  write the patterns as a font file (title NONAME\n"
               "                                        when absent or blank)\n"
               "  --print-pdf OUT.pdf [--paper letter|a4|b5]\n"
               "                                        the four-page character sheet as a PDF\n"
               "                                        (letter by default)\n"
               "%2"
               "  --import-picture FILE                 convert a PNG, BMP, GIF or JPEG picture into the\n"
               "                                        characters, their colours and the name table\n"
               "                                        (the sprites stay); with, before or after it:\n"
               "    --method NAME                       dithering method (default floyd-steinberg):\n"
               "                                        %4\n"
               "    --colors LIST                       \"all\" (default) or console colours such as 1,4,6,15\n"
               "    --resize MODE                       none, stretch or aspect (default)\n"
               "    --gamma PERCENT                     10..190 (default 100)\n"
               "    --brightness VALUE                  -100..100 (default 0)\n"
               "    --diffusion PERCENT                 0..100 (default 75)\n"
               "    --linear-light                      error-diffusion methods work in linear light\n"
               "  --png OUT.png                         write the screen as shown, 256x192\n"
               "  --export-tileset OUT.png              write the 256 characters as a 128x128 sheet,\n"
               "                                        16 per row\n"
               "  --import-tileset FILE.png             read such a sheet (or any size in whole 8x8\n"
               "                                        cells, at most 256) into the characters in order\n"
               "  --export-sprites OUT.png              write the 64 sprites as a 128x128 sheet, 8 per row,\n"
               "                                        on a transparent ground\n"
               "  --import-sprites FILE.png             read such a sheet into the sprites\n"
               "  --help                                show this text\n"
               "  --version                             show the version\n"
               "\n"
               "Every output is prepared first; the files are replaced only when all are ready.\n"
               "Exit status: 0 success, 1 an input could not be read or an output written\n"
               "(every output file is then as it was), 2 usage error.\n")
        .arg(program, prototype)
        .arg(fontMenuFaces(edition).size())
        .arg(dither::methodList());
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
    if (plan.pendingPicture && !plan.lastPicture)
        return console.usageError(QStringLiteral("--method, --colors, --resize, --gamma, --brightness, --diffusion "
                                                 "and --linear-light belong to an --import-picture"));
    if (plan.steps.empty())
        return console.usageError(
            QStringLiteral("nothing to do: give --save, --export-c, --export-asm, --export-bin, "
                           "--export-font%1, --png, --export-tileset, --export-sprites "
                           "or --print-pdf")
                .arg(editionTraits(edition).writesPrototype ? QStringLiteral(", --write-prototype") : QString()));
    QStringList fileOptions{QStringLiteral("save"),        QStringLiteral("export-c"),  QStringLiteral("export-asm"),
                            QStringLiteral("export-font"), QStringLiteral("print-pdf"), QStringLiteral("font"),
                            QStringLiteral("export-bin")};
    if (editionTraits(edition).writesPrototype)
        fileOptions << QStringLiteral("write-prototype");
    fileOptions << QStringLiteral("import-picture") << QStringLiteral("import-tileset")
                << QStringLiteral("import-sprites") << QStringLiteral("png") << QStringLiteral("export-tileset")
                << QStringLiteral("export-sprites");
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
