#include "batch_options.h"

#include "adjustment.h"
#include "batch_option_table.h"
#include "method_names.h"
#include "picture_options.h"
#include "powerpaint_output.h"

#include <algorithm>
#include <optional>

namespace dither {

namespace {

int chosenCount(const ColourChoice& choice)
{
    return int(std::count(choice.begin(), choice.end(), true));
}

// The outputs a run can write: each option names one file, or with --out-dir asks for
// that output of every picture, named after the picture with the output's extension.
const std::vector<OutputKind>& outputKinds()
{
    static const std::vector<OutputKind> kinds = {
        {"pp", "OUT.pp", "Write a full-screen PowerPaint file (40960 bytes).", ".pp", false,
         [](const ConversionResult& r, const PictureCodecs&) { return powerPaintFile(r, true); }},
        {"pp10k", "OUT.pp", "Write a 10K PowerPaint file (10240 bytes, 240x160).", ".pp", false,
         [](const ConversionResult& r, const PictureCodecs&) { return powerPaintFile(r, false); }},
        {"bmp", "OUT.bmp", "Write the converted picture as BMP.", ".bmp", true,
         [](const ConversionResult& r,
            const PictureCodecs& c) { return c.encode ? c.encode(r, "BMP") : QByteArray(); }},
        {"png", "OUT.png", "Write the converted picture as PNG.", ".png", true,
         [](const ConversionResult& r,
            const PictureCodecs& c) { return c.encode ? c.encode(r, "PNG") : QByteArray(); }},
    };
    return kinds;
}

// An option that writes the result as one file.
tms::batch::OptionEntry<BatchJob> outputOption(const OutputKind& kind)
{
    return {
        QCommandLineOption(QLatin1String(kind.option), QLatin1String(kind.description), QLatin1String(kind.valueName)),
        [&kind](BatchJob& job, const QString& path) {
        if (path.isEmpty())
            return QStringLiteral("An output file name is empty");
        job.writesPictures = job.writesPictures || kind.picture;
        job.outputs.push_back(
            [&kind, codecs = job.codecs, path](const ConversionResult& result, tms::batch::Outputs& outputs) {
            const QByteArray file = kind.bytes(result, *codecs);
            if (file.isEmpty())
                return QStringLiteral("Cannot encode \"%1\"").arg(path);
            outputs.push_back({path, file});
            return QString();
        });
        return QString();
        }};
}

// The outputs, one entry each.
const std::vector<tms::batch::OptionEntry<BatchJob>>& outputOptionTable()
{
    static const std::vector<tms::batch::OptionEntry<BatchJob>> table = [] {
        std::vector<tms::batch::OptionEntry<BatchJob>> entries;
        for (const OutputKind& kind : outputKinds())
            entries.push_back(outputOption(kind));
        return entries;
    }();
    return table;
}

// With --out-dir the output options are plain switches.
const std::vector<tms::batch::OptionEntry<BatchJob>>& directoryOutputOptionTable()
{
    static const std::vector<tms::batch::OptionEntry<BatchJob>> table = [] {
        std::vector<tms::batch::OptionEntry<BatchJob>> entries;
        for (const OutputKind& kind : outputKinds())
            entries.push_back({QCommandLineOption(QLatin1String(kind.option), QLatin1String(kind.description)),
                               [&kind](BatchJob& job, const QString&) {
                for (const OutputKind* chosen : job.directoryOutputs)
                    if (chosen == &kind)
                        return QString(); // asked twice: written once
                for (const OutputKind* chosen : job.directoryOutputs)
                    if (QLatin1String(chosen->extension) == QLatin1String(kind.extension))
                        return QStringLiteral("--%1 and --%2 would write the same files")
                            .arg(QLatin1String(chosen->option), QLatin1String(kind.option));
                job.directoryOutputs.push_back(&kind);
                job.writesPictures = job.writesPictures || kind.picture;
                return QString();
                               }});
        return entries;
    }();
    return table;
}

} // namespace

bool asksForOutputDirectory(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        for (const char* form : {"--out-dir", "-out-dir"})
            if (argument == QLatin1String(form) || argument.startsWith(QLatin1String(form) + QLatin1Char('=')))
                return true;
    }
    return false;
}

void declareBatchOptions(QCommandLineParser& parser, bool toDirectory)
{
    parser.setApplicationDescription(
        QStringLiteral("Converts a picture (BMP, ICO, GIF, JPEG, PNG) into a TMS9918A screen mode 2 bitmap."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("PICTURE"),
                                 QStringLiteral("The picture to convert (with --out-dir, any number of them)."));
    parser.addOptions({
        {QStringLiteral("method"), QStringLiteral("Dithering method: %1 (default floyd-steinberg).").arg(methodList()),
         QStringLiteral("NAME"), QStringLiteral("floyd-steinberg")},
        {QStringLiteral("ordered-error"),
         QStringLiteral("Ordered methods carry each pixel's error to the pixel below.")},
        {QStringLiteral("colors"), QStringLiteral("\"all\" (default) or console colours 1..15 such as 1,4,6,15."),
         QStringLiteral("LIST"), QStringLiteral("all")},
        {QStringLiteral("palette"), QStringLiteral("Palette preset 1 (default) or 2."), QStringLiteral("1|2"),
         QStringLiteral("1")},
        {QStringLiteral("gamma"), QStringLiteral("Gamma in percent, 10..190 (default 100)."), QStringLiteral("PERCENT"),
         QStringLiteral("100")},
        {QStringLiteral("brightness"), QStringLiteral("Brightness, -100..100 (default 0)."), QStringLiteral("VALUE"),
         QStringLiteral("0")},
        {QStringLiteral("diffusion"), QStringLiteral("Error diffusion in percent, 0..100 (default 75)."),
         QStringLiteral("PERCENT"), QStringLiteral("75")},
        {QStringLiteral("resize"), QStringLiteral("none (default), stretch or aspect."), QStringLiteral("MODE"),
         QStringLiteral("none")},
        {QStringLiteral("resolution"), QStringLiteral("full (256x192, default) or 10k (240x160)."),
         QStringLiteral("MODE"), QStringLiteral("full")},
        {QStringLiteral("out-dir"),
         QStringLiteral("Convert every PICTURE with the same settings into DIR, on all cores; --pp, --pp10k, "
                        "--bmp and --png then take no file name and say which outputs to write, each named "
                        "after its picture."),
         QStringLiteral("DIR")},
    });
    for (const PictureFlag& flag : pictureFlags())
        parser.addOption({QLatin1String(flag.name), QLatin1String(flag.description)});
    // and "-pp" reads as "--pp"
    tms::batch::declareOptions(parser, toDirectory ? directoryOutputOptionTable() : outputOptionTable());
}

std::variant<BatchJob, QString> readBatchJob(const QCommandLineParser& parser, const PictureCodecs& codecs)
{
    BatchJob job;
    job.codecs = &codecs;
    const QStringList positional = parser.positionalArguments();
    const bool toDirectory = parser.isSet(QStringLiteral("out-dir"));
    if (positional.isEmpty())
        return QStringLiteral("No picture given");
    if (positional.size() > 1 && !toDirectory)
        return QStringLiteral("Only one picture can be converted at a time (or use --out-dir DIR)");
    job.picturePath = positional.first();
    if (toDirectory) {
        job.picturePaths = positional;
        job.outputDirectory = parser.value(QStringLiteral("out-dir"));
        if (job.outputDirectory.isEmpty())
            return QStringLiteral("--out-dir takes the name of a folder");
    }

    // The conversion options, read as the tile editors read them for --import-picture.
    PictureImportSettings picture;
    for (const PictureOption& option : pictureOptions())
        if (const QString error = option.read(parser.value(QLatin1String(option.name)), picture); !error.isEmpty())
            return error;
    for (const PictureFlag& flag : pictureFlags())
        picture.*flag.setting = parser.isSet(QLatin1String(flag.name));
    ConversionSettings& s = job.settings;
    s.method = picture.method;
    s.colours = picture.colours;
    s.gamma = picture.gamma;
    s.brightness = picture.brightness;
    s.diffusion = picture.diffusion;
    s.linearLight = picture.linearLight;
    job.resize = picture.resize;
    s.orderedError = parser.isSet(QStringLiteral("ordered-error"));

    bool paletteIsNumber = false;
    const int palette = parser.value(QStringLiteral("palette")).trimmed().toInt(&paletteIsNumber);
    if (!paletteIsNumber || palette < 1 || palette > 2)
        return QStringLiteral("--palette takes 1 or 2");
    s.paletteMode = palette - 1;

    const QString resolution = parser.value(QStringLiteral("resolution"));
    if (resolution == QLatin1String("full"))
        job.resolution = ResolutionMode::Full;
    else if (resolution == QLatin1String("10k"))
        job.resolution = ResolutionMode::TenK;
    else
        return QStringLiteral("--resolution takes full or 10k");

    if (const QString error =
            tms::batch::takeOptions(parser, toDirectory ? directoryOutputOptionTable() : outputOptionTable(), job);
        !error.isEmpty())
        return error;
    if (toDirectory && job.directoryOutputs.empty())
        return QStringLiteral("--out-dir needs at least one of --pp, --pp10k, --bmp and --png");

    if (chosenCount(s.colours) < 2)
        return selectMoreColors;
    return job;
}

} // namespace dither
