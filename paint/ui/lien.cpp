#include "lien.h"

namespace paint::LIEN {

namespace {

struct Values {
    QString lastPicturePath;
    int lastPicturePathWrites = 0;
    bool fullScreenFile = false;
    QString importPath, cExportPath, asmExportPath, grpExportPath;
    int exportPathWrites = 0;
    PictureImportSettings pictureImport;
};

Values& values()
{
    static Values v;
    return v;
}

} // namespace

QString lastPicturePath() { return values().lastPicturePath; }
void setLastPicturePath(const QString& path)
{
    values().lastPicturePath = path;
    ++values().lastPicturePathWrites;
}
int lastPicturePathWrites() { return values().lastPicturePathWrites; }

bool fullScreenFile() { return values().fullScreenFile; }
void setFullScreenFile(bool fullScreen) { values().fullScreenFile = fullScreen; }

QString importPath() { return values().importPath; }
void setImportPath(const QString& path) { values().importPath = path; }
QString cExportPath() { return values().cExportPath; }
void setCExportPath(const QString& path)
{
    values().cExportPath = path;
    ++values().exportPathWrites;
}
QString asmExportPath() { return values().asmExportPath; }
void setAsmExportPath(const QString& path)
{
    values().asmExportPath = path;
    ++values().exportPathWrites;
}
QString grpExportPath() { return values().grpExportPath; }
void setGrpExportPath(const QString& path)
{
    values().grpExportPath = path;
    ++values().exportPathWrites;
}
int exportPathWrites() { return values().exportPathWrites; }

PictureImportSettings pictureImportSettings() { return values().pictureImport; }
void setPictureImportSettings(const PictureImportSettings& settings) { values().pictureImport = settings; }

void reset()
{
    const int writes = values().lastPicturePathWrites; // the counters keep counting, never repeat
    const int exportWrites = values().exportPathWrites;
    values() = Values{};
    values().lastPicturePathWrites = writes;
    values().exportPathWrites = exportWrites;
}

} // namespace paint::LIEN
