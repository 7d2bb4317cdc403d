#pragma once
// Reading the batch options into conversion settings, with the checks that make a
// usage error out of a wrong value.

#include "conversion.h"
#include "resize.h"

#include <QCommandLineParser>
#include <QList>
#include <variant>

namespace dither {

enum class OutputKind { PowerPaintFull, PowerPaint10K, Bmp, Png };

struct OutputRequest {
    OutputKind kind;
    QString path;
};

struct BatchJob {
    QString picturePath;
    ConversionSettings settings;
    ResizeMode resize = ResizeMode::NoResize;
    ResolutionMode resolution = ResolutionMode::Full;
    QList<OutputRequest> outputs; // in the order given
};

// Declares every option of the command line on the parser.
void declareBatchOptions(QCommandLineParser& parser);

// Reads an already parsed command line. On a usage error returns the message for the user.
std::variant<BatchJob, QString> readBatchJob(const QCommandLineParser& parser);

} // namespace dither
