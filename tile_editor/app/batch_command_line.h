#pragma once
// The tile editor without a window. When the first argument is an option the program
// runs these steps and exits:
//   kardo3 [OPTIONS] [FILE.dat]      FILE is the input, a reset document when absent
//     --save OUT.dat                 write the project file
//     --export-c OUT.c [--c-style coleco|stdint] [--compress CODEC] [--rle] [--rows START:END]
//     --export-asm OUT.asm [--asm-syntax dot|db|sdas] [--compress CODEC]
//     --export-bin PREFIX [--compress CODEC]           the raw tables, one file each
//     --font FILE.fcv, --builtin-font N                change the patterns
//     --export-font OUT.fcv [--title TEXT]            write a font file
//     --print-pdf OUT.pdf [--paper letter|a4|b5]      the character sheet as a PDF
//     --write-prototype IMAGE       kardo2 only: the tables into a cartridge image
//     --import-picture FILE [--method, --colors, --resize, --gamma, --brightness,
//                            --diffusion as dither takes them]   a picture as tiles
//     --png OUT.png, --export-tileset OUT.png, --export-sprites OUT.png
//     --import-tileset FILE.png, --import-sprites FILE.png
//     --help, --version
// The steps run in the order given and build every output in memory; the files are
// replaced only when all are ready (tms::batch::commitAll). Exit status 0 on success,
// 1 when the input cannot be read or an output cannot be written (every output file
// is then as it was), 2 for a usage error. Needs model, io and common only: no widgets.

#include "batch.h"
#include "edition.h"

#include <QStringList>

namespace tile {

// The help text that --help prints.
QString batchHelpText(const QString& program, Edition edition = Edition::ScreenMode2);

// Whether the command line prints a sheet, which needs a QGuiApplication (fonts) where
// the rest of the batch mode needs a QCoreApplication only.
bool batchPaints(int argc, char** argv);

// Runs the batch command line (argument 0 is the program) and returns the exit status;
// text goes to the console.
// The edition decides the document's colour model, the formats and the options.
int runBatch(const QStringList& arguments, tms::batch::Console& console, Edition edition = Edition::ScreenMode2);

} // namespace tile
