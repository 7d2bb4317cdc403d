#include "file_extension.h"

namespace tms {

bool hasExtension(const QString& path, const QString& extension)
{
    return path.endsWith(extension, Qt::CaseInsensitive);
}

bool hasExtension(const QString& path, const QStringList& extensions)
{
    for (const QString& extension : extensions)
        if (hasExtension(path, extension))
            return true;
    return false;
}

} // namespace tms
