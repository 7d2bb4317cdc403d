#pragma once
// How a program reads the pictures it converts and encodes its picture outputs. The
// window program reads every format with Qt's readers and writes BMP and PNG; the
// command-line program reads PNG with libpng alone and writes no picture, so that a
// conversion loads no graphics library. What it cannot do itself it hands over, whole,
// to the window program (dither/app/main.cpp).

#include "conversion.h"
#include "resize.h"

#include <QByteArray>
#include <QString>

namespace dither {

// Pictures up to this many megabytes once decoded (some 67 million pixels, more than
// most cameras give); anything larger is refused with a message before it is decoded.
constexpr int pictureAllocationLimitMB = 256;

struct FittedPicture {
    enum Outcome {
        Read,    // picture holds the 256x192 source
        Refused, // error says why, for the user
        NotSure  // this reader leaves the picture to the full program's, which decides
    };
    Outcome outcome = Refused;
    Picture picture;
    QString error;
};

struct PictureCodecs {
    // Reads the picture file at path and fits it to the screen.
    FittedPicture (*read)(const QString& path, ResizeMode resize, ResolutionMode resolution) = nullptr;
    // The result as a picture file in the given format ("BMP", "PNG"); empty when it
    // cannot be encoded. Null in a program that writes no pictures.
    QByteArray (*encode)(const ConversionResult& result, const char* format) = nullptr;
    // True when read may answer NotSure: a run then reads every picture before it
    // writes anything, so that it can still be handed over.
    bool mayLeavePictures = false;
};

} // namespace dither
