#pragma once
// Reading the batch options into conversion settings, with the checks that make a
// usage error out of a wrong value.

#include "batch_outputs.h"
#include "conversion.h"
#include "resize.h"

#include <QCommandLineParser>
#include <variant>
#include <vector>

namespace dither {

struct BatchJob {
    QString picturePath;
    ConversionSettings settings;
    ResizeMode resize = ResizeMode::NoResize;
    ResolutionMode resolution = ResolutionMode::Full;
    // One step per output option, in the order given: each builds its file from the result.
    std::vector<tms::batch::Step<const ConversionResult>> outputs;
};

// Declares every option of the command line on the parser.
void declareBatchOptions(QCommandLineParser& parser);

// Reads an already parsed command line. On a usage error returns the message for the user.
std::variant<BatchJob, QString> readBatchJob(const QCommandLineParser& parser);

} // namespace dither
