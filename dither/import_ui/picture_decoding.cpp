#include "picture_decoding.h"

#include "picture_file.h"

#include <QApplication>
#include <QFile>
#include <new>
#include <sys/stat.h>

namespace dither {

namespace {

DecodedPictureReuse* activeReuse = nullptr;

// What tells one state of a file from another: a rewrite changes the change time even
// when it keeps the size and the modification time.
struct FileState {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};

    static std::optional<FileState> of(const QString& path)
    {
        struct stat status;
        if (stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
            return std::nullopt;
        return FileState{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
    }
    bool operator==(const FileState& other) const
    {
        auto same = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
        return device == other.device && inode == other.inode && size == other.size && same(modified, other.modified)
               && same(changed, other.changed);
    }
};

tms::DecodedPicture decodeOffTheGuiThread(QWidget* owner, const QString& path)
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

} // namespace

struct DecodedPictureReuse::Entry {
    QString path;
    FileState state;
    QImage image;
};

DecodedPictureReuse::DecodedPictureReuse() : m_outer(activeReuse)
{
    activeReuse = this;
}

DecodedPictureReuse::~DecodedPictureReuse()
{
    activeReuse = m_outer;
}

tms::DecodedPicture decodePictureFile(QWidget* owner, const QString& path)
{
    DecodedPictureReuse* reuse = activeReuse;
    const std::optional<FileState> before = reuse ? FileState::of(path) : std::nullopt;
    if (before && reuse->m_last && reuse->m_last->path == path && reuse->m_last->state == *before)
        return {reuse->m_last->image, {}, false};
    tms::DecodedPicture decoded = decodeOffTheGuiThread(owner, path);
    // Kept only when the file did not change while it was read.
    if (before && decoded.image && FileState::of(path) == before)
        reuse->m_last.reset(new DecodedPictureReuse::Entry{path, *before, *decoded.image});
    return decoded;
}

QString pictureFileProblem(const QString& path)
{
    const tms::DecodedPicture decoded = decodePictureFile(QApplication::activeWindow(), path);
    if (decoded.cancelled)
        return QStringLiteral("Reading \"%1\" was cancelled").arg(path);
    return decoded.image ? QString() : decoded.error;
}

} // namespace dither
