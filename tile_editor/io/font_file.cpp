#include "font_file.h"

#include "hex.h"
#include "pixel_rows.h"
#include "text_writer.h"

#include <QBuffer>
#include <algorithm>

namespace tile {

namespace {

// Font files hold at most a few kilobytes; anything far larger is not one.
constexpr qint64 maxFontFileBytes = 16 * 1024 * 1024;

// Leading and trailing blanks removed (only blanks: a tab is text).
QByteArray trimBlanks(const QByteArray& line)
{
    qsizetype begin = 0, end = line.size();
    while (begin < end && line[begin] == ' ')
        ++begin;
    while (end > begin && line[end - 1] == ' ')
        --end;
    return line.mid(begin, end - begin);
}

// HexValue of up to `length` characters from `from`: what the line lacks counts as
// absent text, so a short line gives 0 (or a one-digit value) where it ends.
int hexAt(const QByteArray& line, qsizetype from, qsizetype length)
{
    return tms::HexValue(QString::fromLatin1(line.mid(from, length)));
}

// The eight row bytes of a character line, at the positions 6 + 3r and 7 + 3r
// (counting from 1) of the trimmed line.
CharRows rowsOfLine(const QByteArray& line)
{
    CharRows rows{};
    for (int r = 0; r < 8; ++r)
        rows[std::size_t(r)] = Byte(hexAt(line, 5 + 3 * r, 2));
    return rows;
}

} // namespace

QString fontTitle(const std::optional<QString>& answer)
{
    if (!answer || std::all_of(answer->begin(), answer->end(), [](QChar c) { return c == QLatin1Char(' '); }))
        return QStringLiteral("NONAME");
    return *answer;
}

QByteArray fontFileBytes(const TileDocument& doc, const QString& title)
{
    tms::CrLfText text;
    text.line(QStringLiteral("FONT COLECOVISION : ") + title);
    for (int c = 0; c < charCount; ++c) {
        const CharRows& rows = doc.charPatterns[std::size_t(c)];
        if (std::all_of(rows.begin(), rows.end(), [](Byte b) { return b == 0; }))
            continue;
        QString line = tms::Hex2(c) + QStringLiteral(" :");
        for (Byte b : rows)
            line += QLatin1Char(' ') + tms::Hex2(b);
        text.line(line);
    }
    return text.bytes();
}

tms::FileResult saveFontFile(const QString& path, const TileDocument& doc, const QString& title)
{
    return tms::writeWholeFile(path, fontFileBytes(doc, title));
}

QByteArray readTextLine(QIODevice& file)
{
    QByteArray line;
    char c = 0;
    while (file.getChar(&c) && c != '\n')
        if (c != '\r')
            line += c;
    return line;
}

FontLoad loadFontFile(QIODevice& file, TileDocument& doc)
{
    FontLoad load;
    if (!readTextLine(file).startsWith(fontFileSignature())) {
        load.message = illegalFontFileMessage();
        return load;
    }
    while (!file.atEnd()) {
        const QByteArray line = trimBlanks(readTextLine(file));
        if (line.size() < 4 || line[3] != ':')
            continue;
        doc.charPatterns[std::size_t(hexAt(line, 0, 2))] = rowsOfLine(line);
        ++load.charactersRead;
    }
    load.ok = true;
    return load;
}

FontLoad loadFontFile(const QString& path, TileDocument& doc)
{
    QString error;
    const std::optional<QByteArray> data = tms::readWholeFile(path, maxFontFileBytes, &error);
    if (!data)
        return {false, error, 0};
    QBuffer buffer;
    buffer.setData(*data);
    buffer.open(QIODevice::ReadOnly);
    FontLoad load = loadFontFile(buffer, doc);
    if (!load.ok)
        load.message = QStringLiteral("%1: \"%2\"").arg(load.message, path);
    return load;
}

std::optional<FontPreview> previewFontBytes(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    // The preview looks at the first bytes as they stand (a CR inside them is no
    // signature here, though reading a font drops it).
    if (!data.startsWith(fontFileSignature()))
        return std::nullopt;
    const QByteArray first = readTextLine(buffer);

    FontPreview preview;
    // The title follows the first colon and the blank after it.
    const qsizetype colon = first.indexOf(':');
    preview.title = colon < 0 ? QString() : QString::fromLatin1(first.mid(colon + 2));
    preview.picture = QImage(fontPreviewWidth, fontPreviewHeight, QImage::Format_RGB32);
    preview.picture.fill(Qt::black);
    const tms::ColorValue white = tms::rgbValue(255, 255, 255), black = tms::rgbValue(0, 0, 0);
    static constexpr int bandFirstCode[4] = {33, 48, 64, 74};
    while (!buffer.atEnd()) {
        const QByteArray line = trimBlanks(readTextLine(buffer));
        if (line.size() <= 2)
            continue;
        const int code = hexAt(line, 0, 2);
        for (int band = 0; band < 4; ++band) {
            const int column = code - bandFirstCode[band];
            if (column < 0 || column > 9)
                continue;
            // A character given twice shows as it loads: the last one.
            const CharRows rows = rowsOfLine(line);
            for (int y = 0; y < 8; ++y)
                tms::paintPatternRow(preview.picture, rows[std::size_t(y)], white, black, 16 * column,
                                     2 * (8 * band + y), 2, 2);
        }
    }
    return preview;
}

std::optional<FontPreview> previewFontFile(const QString& path)
{
    const std::optional<QByteArray> data = tms::readWholeFile(path, maxFontFileBytes, nullptr);
    return data ? previewFontBytes(*data) : std::nullopt;
}

} // namespace tile
