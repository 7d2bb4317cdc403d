#pragma once
// The font file (.fcv): a title line "FONT COLECOVISION : <title>", then one line per
// character whose pattern is not blank, in increasing order: the code, " :", and the
// eight row bytes, each after a blank ("41 : 18 3C 66 66 7E 66 66 00"). Only patterns
// are kept, never colours. Lines end with CR LF.

#include "atomic_file.h"
#include "tile_document.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>
#include <optional>

namespace tile {

// The 17 bytes every font file begins with.
inline QByteArray fontFileSignature()
{
    return QByteArrayLiteral("FONT COLECOVISION");
}
// What a file without them is called, in the dialog and in batch mode.
inline QString illegalFontFileMessage()
{
    return QStringLiteral("Illegal FCV file");
}

// The title a font file gets for an answer of the title box: an empty answer, one made
// only of blanks, and a cancelled box give "NONAME"; any other answer is kept as typed.
QString fontTitle(const std::optional<QString>& answer);

QByteArray fontFileBytes(const TileDocument& doc, const QString& title);

// saveFontFile's writing: through a QSaveFile, so a failure leaves the old file whole.
tms::FileResult saveFontFile(const QString& path, const TileDocument& doc, const QString& title);

// One line of text: the bytes up to the next LF or the end; CR and LF are left out.
QByteArray readTextLine(QIODevice& file);

struct FontLoad {
    bool ok = false;
    QString message;        // why the file was refused
    int charactersRead = 0; // character lines taken
};

// Reads the character lines of a font file into doc's patterns; characters the file
// does not list keep theirs. A file without the signature changes nothing. Colours and
// `modified` are never touched.
FontLoad loadFontFile(QIODevice& file, TileDocument& doc);
FontLoad loadFontFile(const QString& path, TileDocument& doc);

// What the open dialog shows of a font file before it is chosen: the title and the
// characters "!" to "*", "0" to "9", "@" to "I" and "J" to "S" in four bands of ten,
// each font pixel a white 2x2 square on a 160x64 picture.
struct FontPreview {
    QString title;
    QImage picture;
};
constexpr int fontPreviewWidth = 160;
constexpr int fontPreviewHeight = 64;
// nullopt when the file cannot be read or lacks the signature.
std::optional<FontPreview> previewFontFile(const QString& path);
std::optional<FontPreview> previewFontBytes(const QByteArray& data);

} // namespace tile
