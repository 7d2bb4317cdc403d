#pragma once
// dither --out-dir DIR PICTURE...: every picture converted with the same settings into
// DIR, on all cores. Each picture's outputs are written as one commit (every file of it,
// or none); a refused picture does not stop the others.

#include "batch.h"
#include "batch_options.h"

namespace dither {

// The file a picture's output goes to: DIR/base name of the picture + the output's extension.
QString directoryOutputPath(const QString& directory, const QString& picturePath, const OutputKind& kind);

// Converts job.picturePaths into job.outputDirectory (created when missing). Prints a
// progress line where the console shows one, then every refusal with its reason and a
// summary. Returns 0 when every picture was converted, 1 when any was refused.
int runDirectoryBatch(const BatchJob& job, tms::batch::Console& console);

} // namespace dither
