#pragma once
// Shared rules of the programs' batch mode: what starts it and how it ends.

#include <QString>

namespace tms::batch {

enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

// Batch mode runs when the first argument is an option.
bool isBatchInvocation(int argc, char** argv);

// One line on stderr, prefixed with the program name.
void printError(const QString& program, const QString& message);

} // namespace tms::batch
