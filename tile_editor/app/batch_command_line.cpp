#include "batch_command_line.h"

#include "asm_export.h"
#include "batch.h"
#include "project_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <cstdio>
#include <memory>

namespace tile {

namespace {

const QString saveName = QStringLiteral("save");
const QString exportCName = QStringLiteral("export-c");
const QString exportAsmName = QStringLiteral("export-asm");
const QString rleName = QStringLiteral("rle");
const QString rowsName = QStringLiteral("rows");
const QString helpName = QStringLiteral("help");
const QString versionName = QStringLiteral("version");

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

QByteArray outputBytes(const BatchOutput& output, const TileDocument& doc)
{
    switch (output.kind) {
    case BatchOutput::Kind::Project: return projectFileBytes(doc);
    case BatchOutput::Kind::C: return ExportC(doc, output.cOptions);
    case BatchOutput::Kind::Asm: return ExportAsm(doc);
    }
    return {};
}

} // namespace

std::variant<BatchPlan, BatchUsageError> parseBatchArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {saveName, QString(), QStringLiteral("OUT.dat")},
        {exportCName, QString(), QStringLiteral("OUT.c")},
        {exportAsmName, QString(), QStringLiteral("OUT.asm")},
        {rleName, QString()},
        {rowsName, QString(), QStringLiteral("START:END")},
        {helpName, QString()},
        {versionName, QString()},
    });
    if (!parser.parse(arguments))
        return BatchUsageError{parser.errorText()};

    BatchPlan plan;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return BatchUsageError{QStringLiteral("only one input file can be given, not %1").arg(positional.join(", "))};
    if (!positional.isEmpty())
        plan.input = positional.first();

    // The parser keeps the order of the options; take each one's values in turn.
    QHash<QString, int> used;
    auto nextValue = [&](const QString& name) { return parser.values(name).value(used[name]++); };
    std::optional<CExportOptions> pendingCOptions; // --rle / --rows seen before any --export-c
    int lastC = -1;
    auto cOptionsToSet = [&]() -> CExportOptions& {
        if (lastC >= 0)
            return plan.outputs[std::size_t(lastC)].cOptions;
        if (!pendingCOptions)
            pendingCOptions = CExportOptions{};
        return *pendingCOptions;
    };

    for (const QString& name : parser.optionNames()) {
        if (name == helpName) {
            plan.showHelp = true;
        } else if (name == versionName) {
            plan.showVersion = true;
        } else if (name == saveName) {
            plan.outputs.push_back({BatchOutput::Kind::Project, nextValue(name), {}});
        } else if (name == exportAsmName) {
            plan.outputs.push_back({BatchOutput::Kind::Asm, nextValue(name), {}});
        } else if (name == exportCName) {
            CExportOptions options = lastC < 0 && pendingCOptions ? *pendingCOptions : CExportOptions{};
            plan.outputs.push_back({BatchOutput::Kind::C, nextValue(name), options});
            lastC = int(plan.outputs.size()) - 1;
        } else if (name == rleName) {
            cOptionsToSet().rle = true;
        } else if (name == rowsName) {
            const QString text = nextValue(name);
            const auto rows = parseRows(text);
            if (!rows)
                return BatchUsageError{QStringLiteral("--rows needs START:END, two row numbers, not \"%1\"").arg(text)};
            cOptionsToSet().startLine = rows->first;
            cOptionsToSet().endLine = rows->second;
        }
    }
    if (pendingCOptions && lastC < 0)
        return BatchUsageError{QStringLiteral("--rle and --rows belong to an --export-c")};
    for (const BatchOutput& output : plan.outputs)
        if (output.path.isEmpty())
            return BatchUsageError{QStringLiteral("an output file name is empty")};
    if (plan.outputs.empty() && !plan.showHelp && !plan.showVersion)
        return BatchUsageError{QStringLiteral("nothing to do: give --save, --export-c or --export-asm")};
    return plan;
}

QString batchHelpText(const QString& program)
{
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
               "  --help                                show this text\n"
               "  --version                             show the version\n"
               "\n"
               "Exit status: 0 success, 1 an input could not be read or an output written\n"
               "(no output is written then), 2 usage error.\n")
        .arg(program);
}

int runBatchPlan(const BatchPlan& plan, const QString& program)
{
    TileDocument doc;
    if (!plan.input.isEmpty()) {
        const ProjectLoad load = loadProjectFile(plan.input, doc);
        if (!load.ok()) {
            tms::batch::printError(program, load.message);
            return tms::batch::Failure;
        }
    }

    // Every output is written whole into its temporary file first; only when all of
    // them are complete do they replace their targets, so a failed run leaves nothing.
    std::vector<std::unique_ptr<QSaveFile>> files;
    for (const BatchOutput& output : plan.outputs) {
        auto file = std::make_unique<QSaveFile>(output.path);
        const QByteArray bytes = outputBytes(output, doc);
        if (!file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size()) {
            tms::batch::printError(program, QStringLiteral("Cannot write \"%1\": %2").arg(output.path, file->errorString()));
            file->cancelWriting();
            for (auto& written : files)
                written->cancelWriting();
            return tms::batch::Failure;
        }
        files.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i]->commit()) {
            tms::batch::printError(program, QStringLiteral("Cannot write \"%1\": %2").arg(plan.outputs[i].path, files[i]->errorString()));
            for (std::size_t j = i + 1; j < files.size(); ++j)
                files[j]->cancelWriting();
            return tms::batch::Failure;
        }
    }
    return tms::batch::Success;
}

int runBatch(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const auto parsed = parseBatchArguments(QCoreApplication::arguments());
    if (const auto* error = std::get_if<BatchUsageError>(&parsed)) {
        tms::batch::printError(program, error->message);
        tms::batch::printError(program, QStringLiteral("try '%1 --help'").arg(program));
        return tms::batch::UsageError;
    }
    const BatchPlan& plan = std::get<BatchPlan>(parsed);
    if (plan.showHelp || plan.showVersion) {
        const QString text = plan.showHelp ? batchHelpText(program)
                                           : QStringLiteral("%1 %2\n").arg(program, QStringLiteral(SUITE_VERSION));
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return tms::batch::Success;
    }
    return runBatchPlan(plan, program);
}

} // namespace tile
