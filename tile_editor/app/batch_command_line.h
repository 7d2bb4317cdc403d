#pragma once
// The tile editor without a window. When the first argument is an option the program
// runs these steps and exits:
//   kardo3 [OPTIONS] [FILE.dat]      FILE is the input, a reset document when absent
//     --save OUT.dat                 write the project file
//     --export-c OUT.c [--rle] [--rows START:END]
//     --export-asm OUT.asm
//     --help, --version
// Outputs are written in the order given. Exit status 0 on success, 1 when the input
// cannot be read or an output cannot be written (nothing is written then), 2 for a
// usage error. Only QCoreApplication is used: no display is needed.

#include "c_export.h"

#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

namespace tile {

struct BatchOutput {
    enum class Kind { Project, C, Asm };
    Kind kind = Kind::Project;
    QString path;
    CExportOptions cOptions; // Kind::C only
};

struct BatchPlan {
    QString input;                  // empty: a reset document
    std::vector<BatchOutput> outputs;
    bool showHelp = false;
    bool showVersion = false;
};

struct BatchUsageError {
    QString message;
};

// Reads the arguments (program name first). --rle and --rows set the options of the
// --export-c they follow; given before any --export-c, they set those of the first one.
std::variant<BatchPlan, BatchUsageError> parseBatchArguments(const QStringList& arguments);

// The help text that --help prints.
QString batchHelpText(const QString& program);

// Carries out a plan; returns the exit status. Messages go to stderr.
int runBatchPlan(const BatchPlan& plan, const QString& program);

// Runs the batch command line; returns the exit status.
int runBatch(int argc, char** argv);

} // namespace tile
