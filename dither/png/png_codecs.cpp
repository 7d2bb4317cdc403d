#include "png_codecs.h"

#include "png_picture.h"

namespace dither {

namespace {

FittedPicture readWithLibpng(const QString& path, ResizeMode resize, ResolutionMode resolution)
{
    FittedPicture fitted;
    fitted.outcome = FittedPicture::NotSure;
    if (const auto picture = readPngPicture(path)) {
        fitted.outcome = FittedPicture::Read;
        fitted.picture = fitToScreen(*picture, resize, resolution);
    }
    return fitted;
}

} // namespace

const PictureCodecs& pngPictureCodecs()
{
    static const PictureCodecs codecs{readWithLibpng, nullptr, true};
    return codecs;
}

} // namespace dither
