#pragma once
// A program whose window lives in a separate executable beside it, so that its batch
// runs load no widget library: the command-line program hands a window invocation over
// to that executable, arguments unchanged.

namespace tms {

// Replaces this process by `windowProgram` from this executable's folder, with the same
// arguments. Returns only when that fails, after saying why on standard error: the
// status to exit with.
int handOverToWindowProgram(const char* windowProgram, char** argv);

} // namespace tms
