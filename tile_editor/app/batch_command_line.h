#pragma once
// The tile editor without a window: options carried out in order on one document.

namespace tile {

// Runs the batch command line; returns the exit status.
int runBatch(int argc, char** argv);

} // namespace tile
