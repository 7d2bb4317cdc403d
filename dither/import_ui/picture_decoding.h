#pragma once
// Reading a picture file in a window: readPicture on a worker thread, the window kept
// responsive, with a busy cursor and a Cancel (see background_decode.h). The converter's
// window and the editors' Import Picture read through it.

#include "background_decode.h"

class QWidget;

namespace dither {

// The picture at path, or the reason it cannot be read (a picture within the size limit
// but beyond this machine's memory among them); cancelled when the user stopped it.
tms::DecodedPicture decodePictureFile(QWidget* owner, const QString& path);

// A picture chooser's check: empty when the picture reads whole (off the GUI thread, in
// the active window), else why it does not, or that reading it was cancelled.
QString pictureFileProblem(const QString& path);

// While one lives (on the GUI thread), decodePictureFile hands out again the picture it
// last read when the file has not changed since: a command that checks a picture in
// its chooser, previews it and imports it decodes it once, and imports what was previewed.
// The picture is let go when the command ends.
class DecodedPictureReuse {
public:
    DecodedPictureReuse();
    ~DecodedPictureReuse();
    DecodedPictureReuse(const DecodedPictureReuse&) = delete;
    DecodedPictureReuse& operator=(const DecodedPictureReuse&) = delete;

    struct Entry;

private:
    DecodedPictureReuse* m_outer;
    std::unique_ptr<Entry> m_last;
    friend tms::DecodedPicture decodePictureFile(QWidget* owner, const QString& path);
};

} // namespace dither
