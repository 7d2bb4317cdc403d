#pragma once
// Reading a batch command line in the order given. Each program lists its options in
// a table, one entry per option; an entry takes each occurrence of its option, with
// that occurrence's value, in the order of the command line, and adds a step or a
// setting to the program's plan. Adding an option is adding one entry.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <functional>
#include <vector>

namespace tms::batch {

template <typename Plan>
struct OptionEntry {
    QCommandLineOption option;
    // Takes one occurrence: adds a step or a setting to the plan. Returns a usage error,
    // or an empty text.
    std::function<QString(Plan& plan, const QString& value)> take;
};

// The table followed by --help and --version, which set the plan's showHelp and
// showVersion: every program offers both.
template <typename Plan>
std::vector<OptionEntry<Plan>> withHelpAndVersion(std::vector<OptionEntry<Plan>> table)
{
    table.push_back({QCommandLineOption(QStringLiteral("help")), [](Plan& plan, const QString&) {
                         plan.showHelp = true;
                         return QString();
                     }});
    table.push_back({QCommandLineOption(QStringLiteral("version")), [](Plan& plan, const QString&) {
                         plan.showVersion = true;
                         return QString();
                     }});
    return table;
}

template <typename Plan>
void declareOptions(QCommandLineParser& parser, const std::vector<OptionEntry<Plan>>& table)
{
    // "-save" reads as "--save", as users of older tools type it.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionEntry<Plan>& entry : table)
        parser.addOption(entry.option);
}

// Hands every occurrence to its entry in the order given, with that occurrence's value
// (parser.optionNames() keeps the order; values() those of one option in turn). Stops
// at the first usage error.
template <typename Plan>
QString takeOptions(const QCommandLineParser& parser, const std::vector<OptionEntry<Plan>>& table, Plan& plan)
{
    std::vector<int> occurrences(table.size(), 0);
    for (const QString& name : parser.optionNames()) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (!table[i].option.names().contains(name))
                continue;
            const QString value = parser.values(name).value(occurrences[i]++);
            if (QString error = table[i].take(plan, value); !error.isEmpty())
                return error;
            break;
        }
    }
    return {};
}

} // namespace tms::batch
