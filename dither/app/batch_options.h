#pragma once
// Reading the batch options into conversion settings, with the checks that make a
// usage error out of a wrong value.

#include "batch_outputs.h"
#include "conversion.h"
#include "picture_codecs.h"
#include "resize.h"

#include <QCommandLineParser>
#include <variant>
#include <vector>

namespace dither {

// One output a run can write.
struct OutputKind {
    const char* option;    // "pp": --pp
    const char* valueName; // "OUT.pp"
    const char* description;
    const char* extension; // of the files written with --out-dir
    bool picture;          // encoded by the program's picture writer (PictureCodecs::encode)
    QByteArray (*bytes)(const ConversionResult&, const PictureCodecs&);
};

struct BatchJob {
    // How the pictures are read and the picture outputs encoded.
    const PictureCodecs* codecs = nullptr;
    QString picturePath;
    // With --out-dir: every picture, the folder and the outputs asked for, in order.
    QStringList picturePaths;
    QString outputDirectory;
    std::vector<const OutputKind*> directoryOutputs;
    // True when an output is a picture file (--bmp, --png).
    bool writesPictures = false;
    ConversionSettings settings;
    ResizeMode resize = ResizeMode::NoResize;
    ResolutionMode resolution = ResolutionMode::Full;
    // One step per output option, in the order given: each builds its file from the result.
    std::vector<tms::batch::Step<const ConversionResult>> outputs;
};

// True when the command line asks for --out-dir: the output options then take no
// file name, so the parser must know before it reads them.
bool asksForOutputDirectory(const QStringList& arguments);

// Declares every option of the command line on the parser (the output options as
// switches when toDirectory).
void declareBatchOptions(QCommandLineParser& parser, bool toDirectory = false);

// Reads an already parsed command line for a program that reads and writes pictures with
// codecs. On a usage error returns the message for the user.
std::variant<BatchJob, QString> readBatchJob(const QCommandLineParser& parser, const PictureCodecs& codecs);

} // namespace dither
