#pragma once
// The one test of a file name's extension that every program uses: which files a
// window opens, a drop accepts, a batch reads as what, and whether a chosen name still
// needs its extension. Case does not matter, as on the systems the tools came from:
// "TITLE.DAT" is a project file as much as "title.dat".

#include <QString>
#include <QStringList>

namespace tms {

// Whether path ends in extension, given with its dot (".dat").
bool hasExtension(const QString& path, const QString& extension);
// Whether path ends in any of extensions.
bool hasExtension(const QString& path, const QStringList& extensions);

} // namespace tms
