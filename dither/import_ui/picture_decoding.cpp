#include "picture_decoding.h"

#include "picture_file.h"

#include <new>

namespace dither {

tms::DecodedPicture decodePictureFile(QWidget* owner, const QString& path)
{
    return tms::decodeWhileResponsive(owner, path, [path](const std::atomic<bool>& cancelled, QString* error) {
        try {
            return readPicture(path, error, &cancelled);
        } catch (const std::bad_alloc&) {
            *error = QStringLiteral("Cannot read picture \"%1\": not enough memory to load it").arg(path);
            return std::optional<QImage>();
        }
    });
}

} // namespace dither
