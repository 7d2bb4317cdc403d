#pragma once
// A program split in two executables side by side: a light one that starts quickly and
// serves the common runs, and a full one (the window, the other formats) to which the
// light one hands every other run over, arguments unchanged, before it has written or
// printed anything.

namespace tms {

// Replaces this process by `program` from this executable's folder, with the same
// arguments. Returns only when that fails, after saying on standard error that the
// `role` (as "window program") cannot be started and why: the status to exit with.
int handOverToProgram(const char* program, const char* role, char** argv);

} // namespace tms
