#include "batch_input.h"

#include "file_extension.h"
#include "grp_file.h"
#include "pp_file.h"
#include "spectrum_file.h"

namespace paint {

QString readBatchInput(const QString& path, const PictureImportSettings& pictureSettings, BatchInput& input)
{
    Picture picture = input.picture;
    bool full = true;
    tms::FileResult loaded;
    if (tms::hasExtension(path, QStringLiteral(".scr")))
        loaded = loadScrFile(path, picture);
    else if (tms::hasExtension(path, QStringLiteral(".mlt")))
        loaded = loadMltFile(path, picture);
    else if (tms::hasExtension(path, QStringLiteral(".grp")))
        loaded = loadGrpFile(path, picture);
    else if (tms::hasExtension(path, QStringLiteral(".sc2")))
        loaded = loadSc2File(path, picture);
    else if (isPictureFileName(path))
        loaded = importPictureFile(path, pictureSettings, picture);
    else
        loaded = loadPowerPaintFile(path, picture, full);
    if (!loaded) // the dialogs' refusals name no file
        return tms::namingPath(loaded.error, path);
    input.picture = picture;
    input.full = full;
    return {};
}

} // namespace paint
