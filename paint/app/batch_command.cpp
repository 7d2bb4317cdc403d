#include "batch_command.h"

#include "batch_input.h"
#include "batch_outputs.h"
#include "grp_file.h"
#include "image_bytes.h"
#include "method_names.h"
#include "palette.h"
#include "picture_render.h"
#include "pp_file.h"
#include "source_export.h"
#include "table_format_options.h"

#include <QCommandLineParser>
#include <memory>
#include <optional>

namespace paint {

namespace {

// The picture while the steps run, and the size --save writes.
struct Work {
    Picture picture;
    bool inputFull = false;
    std::optional<bool> saveFull; // --full or --10k; else the input's size
    QString tableName;            // of the C and assembler sources
};

using Step = tms::batch::Step<Work>;

struct Plan {
    std::vector<Step> steps;
    std::optional<bool> saveFull;
    bool sizeGivenTwice = false;
    std::optional<QString> tableName; // --name
    PictureImportSettings pictureSettings;
    // --c-style, --asm-syntax and --compress set the export given just before them.
    std::shared_ptr<SourceOptions> lastC, lastAsm;
    std::shared_ptr<tms::Compression> lastBin;
    tms::batch::TableExport lastTableExport = tms::batch::TableExport::None;
    bool methodGiven = false;
    bool showHelp = false;
    bool showVersion = false;
};

QString methodList()
{
    QStringList names;
    for (const dither::MethodName& m : dither::methodNames)
        names << QLatin1String(m.commandLineName);
    return names.join(QStringLiteral(", "));
}

QString helpText()
{
    return QStringLiteral(
               "Usage: easel [FILE]                    opens the paint window; FILE is loaded when its name ends\n"
               "                                       in .pp, converted when it is a PNG, BMP, GIF or JPEG picture\n"
               "       easel [OPTIONS] INPUT           converts without a window\n"
               "\n"
               "INPUT is read by its name: .scr (6912 bytes) and .mlt (12288 bytes) Spectrum screens,\n"
               ".grp and .sc2 MSX screen 2 files (16391 or 14343 bytes with their header), .png, .bmp, .gif, .jpg and "
               ".jpeg\n"
               "pictures (converted with the dither methods), anything else as a 10K or 40K .pp file.\n"
               "\n"
               "Options:\n"
               "  --save OUT.pp [--full | --10k]  writes a PowerPaint file; default: the size of a .pp\n"
               "                                  input, 40K for any other input\n"
               "  --png OUT.png                   writes the picture as shown, 256x192 pixels\n"
               "  --export-c OUT.c [--c-style coleco|stdint] [--compress CODEC]\n"
               "                                  writes C source of the compressed tables; coleco\n"
               "                                  (default): byte arrays for the console's library;\n"
               "                                  stdint: const uint8_t arrays (kept in ROM) and OUT.h\n"
               "                                  with an extern and a NAME_SIZE for each table\n"
               "  --export-asm OUT.asm [--asm-syntax dot|db|sdas] [--compress CODEC]\n"
               "                                  writes assembler source of the compressed tables;\n"
               "                                  dot (default): .byte $hh; db: db $hh for pasmo,\n"
               "                                  z80asm, sjasmplus; sdas: SDCC's assembler, each table\n"
               "                                  a global _LNAME in the code area\n"
               "  --export-bin PREFIX [--compress CODEC]\n"
               "                                  writes the raw tables PREFIX.pat, PREFIX.col (6144\n"
               "                                  bytes each, as in the picture) and PREFIX.nam (768);\n"
               "                                  compressed files get .rle, .zx0 or .plet added\n"
               "  --compress none|rle|zx0|pletter after --export-c, --export-asm or --export-bin: how\n"
               "                                  that export compresses (ZX0 version 2, Pletter 0.5).\n"
               "                                  Sources default to rle: one table NAME, colours then\n"
               "                                  patterns; any other codec gives NAME_COLOR and\n"
               "                                  NAME_PATTERN. --export-bin defaults to none\n"
               "  --name NAME                     the table name of the sources (default IMAGE): letters,\n"
               "                                  digits and _, not first a digit\n"
               "  --export-grp OUT.grp            writes an MSX screen 2 file (16391 bytes)\n"
               "  --export-sc2 OUT.sc2            writes the shorter MSX screen 2 file (14343 bytes)\n"
               "  --method NAME                   how a picture input is dithered (default floyd-steinberg):\n"
               "                                  %1\n"
               "  --help                          shows this text\n"
               "  --version                       shows the version\n"
               "\n"
               "Outputs are built in the order given and replace their files only when all are\n"
               "ready. Exit status: 0 success, 1 unreadable input or unwritable output (every\n"
               "output file is then as it was), 2 usage error.\n")
        .arg(methodList());
}

// An output step that writes the bytes made from the picture.
template <typename Make>
Step outputStep(const QString& path, Make make)
{
    return [path, make](Work& work, tms::batch::Outputs& outputs) {
        outputs.push_back({path, make(work)});
        return QString();
    };
}

QByteArray pngBytes(const Picture& picture)
{
    return tms::encodeImage(pictureImage(picture, tms::standardPalette()), "PNG").value_or(QByteArray());
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
    static const std::vector<tms::batch::OptionEntry<Plan>> table =
        tms::batch::withHelpAndVersion<Plan>(
            tms::batch::withTableFormatOptions<Plan>(
                {
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
                    {QCommandLineOption(QStringLiteral("export-c"), QString(), QStringLiteral("OUT.c")),
                     [](Plan& plan, const QString& path) {
        if (path.isEmpty())
            return QStringLiteral("an output file name is empty");
        const auto options = plan.lastC = std::make_shared<SourceOptions>();
        plan.lastTableExport = tms::batch::TableExport::C;
        plan.steps.push_back([options, path](Work& work, tms::batch::Outputs& outputs) {
            for (tms::batch::Output& file : cExportFiles(path, work.picture, work.tableName, *options))
                outputs.push_back(std::move(file));
            return QString();
        });
        return QString();
                     }},
                    {QCommandLineOption(QStringLiteral("export-asm"), QString(), QStringLiteral("OUT.asm")),
                     [](Plan& plan, const QString& path) {
        if (path.isEmpty())
            return QStringLiteral("an output file name is empty");
        const auto options = plan.lastAsm = std::make_shared<SourceOptions>();
        plan.lastTableExport = tms::batch::TableExport::Asm;
        plan.steps.push_back(
            outputStep(path, [options](const Work& w) { return asmSource(w.picture, w.tableName, *options); }));
        return QString();
                     }},
                {QCommandLineOption(QStringLiteral("export-bin"), QString(), QStringLiteral("PREFIX")),
                 [](Plan& plan, const QString& prefix) {
        if (prefix.isEmpty())
            return QStringLiteral("an output file name is empty");
        const auto compression = plan.lastBin = std::make_shared<tms::Compression>(tms::Compression::None);
        plan.lastTableExport = tms::batch::TableExport::Bin;
        plan.steps.push_back([compression, prefix](Work& work, tms::batch::Outputs& outputs) {
            for (tms::batch::Output& file : binaryExportFiles(prefix, work.picture, *compression))
                outputs.push_back(std::move(file));
            return QString();
        });
        return QString();
                 }},
            outputOption("export-grp", "OUT.grp",
                         [](const QString&
                                path) { return outputStep(path, [](const Work& w) { return encodeGRP(w.picture); }); }),
            outputOption("export-sc2", "OUT.sc2",
                         [](const QString&
                                path) { return outputStep(path, [](const Work& w) { return encodeSC2(w.picture); }); }),
            {QCommandLineOption(QStringLiteral("name"), QString(), QStringLiteral("NAME")),
             [](Plan& plan, const QString& name) {
        if (plan.tableName && *plan.tableName != name)
            return QStringLiteral("--name may be given once");
        if (const QString refusal = tableNameRefusal(name); !refusal.isEmpty())
            return refusal;
        plan.tableName = name;
        return QString();
             }},
                                                            {QCommandLineOption(QStringLiteral("method"), QString(),
                                                                                QStringLiteral("NAME")),
                                                             [](Plan& plan, const QString& name) {
        const std::optional<dither::Method> method = dither::methodFromCommandLineName(name);
        if (!method)
            return QStringLiteral("Unknown method \"%1\"; choose one of %2").arg(name, methodList());
        plan.pictureSettings.method = *method;
        plan.methodGiven = true;
        return QString();
                                                             }},
        sizeOption("full", true), sizeOption("10k", false),
        }));
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
        return console.printed(helpText());
    }
    if (plan.showVersion) {
        return console.printed(QStringLiteral("easel %1\n").arg(QStringLiteral(SUITE_VERSION)));
    }
    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() != 1)
        return console.usageError(inputs.isEmpty() ? QStringLiteral("no input picture given")
                                                   : QStringLiteral("only one input picture may be given"));
    if (plan.sizeGivenTwice)
        return console.usageError(QStringLiteral("--full and --10k exclude each other"));
    if (plan.saveFull && !parser.isSet(QStringLiteral("save")))
        return console.usageError(QStringLiteral("--full and --10k apply to --save only"));
    if (plan.tableName && !parser.isSet(QStringLiteral("export-c")) && !parser.isSet(QStringLiteral("export-asm")))
        return console.usageError(QStringLiteral("--name applies to --export-c and --export-asm only"));
    if (plan.methodGiven && !isPictureFileName(inputs.first()))
        return console.usageError(QStringLiteral("--method applies to a picture input only (PNG, BMP, GIF, JPEG)"));
    if (plan.steps.empty())
        return console.usageError(
            QStringLiteral("nothing to do: give --save, --png, --export-c, --export-asm, --export-bin, --export-grp "
                           "or --export-sc2"));

    BatchInput input;
    clearPicture(input.picture);
    if (const QString refused = readBatchInput(inputs.first(), plan.pictureSettings, input); !refused.isEmpty()) {
        console.error(refused);
        return tms::batch::Failure;
    }
    Work work;
    work.picture = input.picture;
    work.inputFull = input.full;
    work.saveFull = plan.saveFull;
    work.tableName = tableNameOrDefault(plan.tableName);
    return tms::batch::runSteps(console, work, plan.steps);
}

} // namespace paint
