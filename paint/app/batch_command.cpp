#include "batch_command.h"

#include "atomic_file.h"
#include "batch.h"
#include "image_bytes.h"
#include "palette.h"
#include "picture_render.h"
#include "pp_file.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <cstdio>

namespace paint {

namespace {

const QString programName = QStringLiteral("easel");

struct Output {
    enum class Kind { PowerPaint, Png } kind;
    QString path;
};

// QCommandLineParser keeps the values of each option but not the order between
// options, so the order is read from the arguments themselves.
QList<Output> outputsInOrder(const QStringList& arguments, const QCommandLineParser& parser)
{
    QStringList saves = parser.values(QStringLiteral("save"));
    QStringList pngs = parser.values(QStringLiteral("png"));
    QList<Output> outputs;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QStringLiteral("--"))
            break;
        const bool isSave = arg == QStringLiteral("--save") || arg.startsWith(QStringLiteral("--save="));
        const bool isPng = arg == QStringLiteral("--png") || arg.startsWith(QStringLiteral("--png="));
        if (!isSave && !isPng)
            continue;
        QStringList& values = isSave ? saves : pngs;
        if (!values.isEmpty())
            outputs.append({isSave ? Output::Kind::PowerPaint : Output::Kind::Png, values.takeFirst()});
        if (!arg.contains(QLatin1Char('=')))
            ++i; // the value is the next argument
    }
    return outputs;
}

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
        "Outputs are written in the order given. Exit status: 0 success, 1 unreadable input or\n"
        "unwritable output (no partial file is left), 2 usage error.\n");
}

int usageError(const QString& message)
{
    tms::batch::printError(programName, message + QStringLiteral(" (try --help)"));
    return tms::batch::UsageError;
}

void printOut(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

tms::FileResult writePng(const QString& path, const Picture& picture)
{
    const std::optional<QByteArray> bytes = tms::encodeImage(pictureImage(picture, tms::standardPalette()), "PNG");
    if (!bytes)
        return tms::FileResult::failure(QStringLiteral("Cannot encode \"%1\" as PNG").arg(path));
    return tms::writeWholeFile(path, *bytes);
}

} // namespace

int runBatch(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption save(QStringLiteral("save"), QStringLiteral("PowerPaint output"), QStringLiteral("OUT.pp"));
    const QCommandLineOption full(QStringLiteral("full"), QStringLiteral("40K output"));
    const QCommandLineOption tenK(QStringLiteral("10k"), QStringLiteral("10K output"));
    const QCommandLineOption png(QStringLiteral("png"), QStringLiteral("PNG output"), QStringLiteral("OUT.png"));
    const QCommandLineOption help(QStringLiteral("help"), QStringLiteral("Shows the help"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Shows the version"));
    parser.addOptions({save, full, tenK, png, help, version});
    parser.addPositionalArgument(QStringLiteral("INPUT.pp"), QStringLiteral("PowerPaint picture to convert"));

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        printOut(helpText());
        return tms::batch::Success;
    }
    if (parser.isSet(version)) {
        printOut(QStringLiteral("easel %1\n").arg(QStringLiteral(SUITE_VERSION)));
        return tms::batch::Success;
    }
    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() != 1)
        return usageError(inputs.isEmpty() ? QStringLiteral("no input picture given")
                                           : QStringLiteral("only one input picture may be given"));
    if (parser.isSet(full) && parser.isSet(tenK))
        return usageError(QStringLiteral("--full and --10k exclude each other"));
    if ((parser.isSet(full) || parser.isSet(tenK)) && !parser.isSet(save))
        return usageError(QStringLiteral("--full and --10k apply to --save only"));
    const QList<Output> outputs = outputsInOrder(arguments, parser);
    if (outputs.isEmpty())
        return usageError(QStringLiteral("nothing to do: give --save or --png"));

    Picture picture;
    ClearPicture(picture);
    bool inputIsFull = false;
    if (const tms::FileResult loaded = ChargePPFile(inputs.first(), picture, inputIsFull); !loaded) {
        tms::batch::printError(programName, QStringLiteral("%1: %2").arg(inputs.first(), loaded.error));
        return tms::batch::Failure;
    }
    const bool saveFull = parser.isSet(full) ? true : parser.isSet(tenK) ? false : inputIsFull;

    for (const Output& output : outputs) {
        const tms::FileResult written = output.kind == Output::Kind::PowerPaint
                                            ? savePPFile(output.path, picture, saveFull)
                                            : writePng(output.path, picture);
        if (!written) {
            tms::batch::printError(programName, written.error);
            return tms::batch::Failure;
        }
    }
    return tms::batch::Success;
}

} // namespace paint
