#include "png_codecs.h"

#include "png_picture.h"

#include <new>

namespace dither {

namespace {

FittedPicture readWithLibpng(const QString& path, ResizeMode resize, ResolutionMode resolution)
{
    FittedPicture fitted;
    fitted.outcome = FittedPicture::NotSure;
    try {
        if (const auto picture = readPngPicture(path)) {
            fitted.outcome = FittedPicture::Read;
            fitted.picture = fitToScreen(*picture, resize, resolution);
        }
    } catch (const std::bad_alloc&) {
        // This reader keeps the file and its samples besides the picture: whether the
        // picture fits in memory is for Qt's reader to say.
        fitted.outcome = FittedPicture::NotSure;
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
