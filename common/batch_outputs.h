#pragma once
// The file policy of a batch run, the same in every program: each output is built in
// memory first; the files are replaced only when every output is ready and written
// whole beside its target; and when one replacement still fails, the files already
// replaced get their previous bytes back (a file that did not exist is removed), so a
// failed run leaves every target as it was.

#include "atomic_file.h"
#include "batch.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tms::batch {

// One output of a run: the whole new content of a file.
struct Output {
    QString path;
    QByteArray bytes;
};

using Outputs = std::vector<Output>;

// The two phases of replacing a run's outputs, apart so that a test can step in between.
class OutputSet {
public:
    OutputSet();
    ~OutputSet(); // drops whatever was prepared and not replaced
    // Writes every output into a temporary file beside its target and keeps a copy of
    // what each target holds now. Nothing is replaced yet; on failure nothing is left.
    FileResult prepare(const Outputs& outputs);
    // Replaces the targets in order; when one fails, restores those already replaced.
    FileResult replaceAll();

private:
    struct Target;
    std::vector<std::unique_ptr<Target>> m_targets;
};

// prepare() then replaceAll(): every output file is replaced, or none is.
FileResult commitAll(const Outputs& outputs);

// One step of a run, carried out in the order given: it changes the work (an input
// read into the document, a setting) or adds an output built in memory. Returns the
// message for the user when it cannot be done, an empty text when it was.
template <typename Work>
using Step = std::function<QString(Work& work, Outputs& outputs)>;

// Carries out the steps, then commits all outputs. Failures go to the console;
// returns the exit status.
template <typename Work>
int runSteps(Console& console, Work& work, const std::vector<Step<Work>>& steps)
{
    Outputs outputs;
    for (const Step<Work>& step : steps) {
        if (const QString failure = step(work, outputs); !failure.isEmpty()) {
            console.error(failure);
            return Failure;
        }
    }
    if (const FileResult committed = commitAll(outputs); !committed) {
        console.error(committed.error);
        return Failure;
    }
    return Success;
}

} // namespace tms::batch
