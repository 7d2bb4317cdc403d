#include "qt_picture_codecs.h"

#include "image_resize.h"
#include "picture_file.h"
#include "result_output.h"

namespace dither {

namespace {

FittedPicture readWithQt(const QString& path, ResizeMode resize, ResolutionMode resolution)
{
    FittedPicture fitted;
    const auto picture = readPicture(path, &fitted.error);
    if (!picture)
        return fitted;
    fitted.outcome = FittedPicture::Read;
    fitted.picture = fitToScreen(*picture, resize, resolution);
    return fitted;
}

} // namespace

const PictureCodecs& qtPictureCodecs()
{
    static const PictureCodecs codecs{readWithQt, encodedResultImage, false};
    return codecs;
}

} // namespace dither
