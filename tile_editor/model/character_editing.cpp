#include "character_editing.h"

#include "hex.h"
#include "palette.h"
#include "view_geometry.h"

namespace tile {

bool drawCharPixel(TileDocument& doc, int button, int px, int py)
{
    // Positions come from the view's rounding; the table stays whole for any argument.
    if ((button != LeftButton && button != RightButton) || px < 0 || px > 7 || py < 0 || py > 7 || doc.currentChar < 0
        || doc.currentChar >= charCount)
        return false;
    Byte& row = doc.charPatterns[doc.currentChar][py];
    const Byte old = row;
    const Byte updated = button == LeftButton ? Byte(old | tms::bitMask[px]) : Byte(old & ~tms::bitMask[px]);
    if (updated == old)
        return false;
    row = updated;
    doc.modified = true;
    return true;
}

bool applyPaletteColor(TileDocument& doc, int swatch, int c)
{
    // A colour above 15 would spill into the other nibble.
    if (c < 0 || c > 15 || doc.currentChar < 0 || doc.currentChar >= charCount)
        return false;
    CharRows& colors = doc.charColors[doc.currentChar];
    auto setForeground = [&](int y) { colors[y] = Byte(16 * c + (colors[y] & 0x0F)); };
    auto setBackground = [&](int y) { colors[y] = Byte((colors[y] & 0xF0) + c); };

    if (swatch == allRowsForegroundSwatch) {
        for (int y = 0; y < 8; ++y)
            setForeground(y);
    } else if (swatch == allRowsBackgroundSwatch) {
        for (int y = 0; y < 8; ++y)
            setBackground(y);
    } else if (swatch >= 0 && swatch < 16) {
        const int row = swatch / 2;
        const bool foreground = swatch % 2 == 1;
        const int shown = foreground ? tms::foregroundOf(colors[row]) : tms::backgroundOf(colors[row]);
        if (shown == c)
            return false;
        foreground ? setForeground(row) : setBackground(row);
    } else {
        return false;
    }
    doc.modified = true;
    return true;
}

QString charHexText(const TileDocument& doc)
{
    QString text;
    for (Byte row : doc.charPatterns[doc.currentChar])
        text += tms::Hex2(row);
    return text;
}

QChar filterHexKey(QChar typed)
{
    const QChar upper = typed.toUpper();
    if (QStringLiteral("0123456789ABCDEF").contains(upper))
        return upper;
    return QChar();
}

void applyHex(TileDocument& doc, QStringView text)
{
    const QString digits = (text.toString() + QStringLiteral("0000000000000000")).left(16);
    for (int k = 0; k < 8; ++k)
        doc.charPatterns[doc.currentChar][k] = Byte(tms::HexValue(QStringView(digits).mid(2 * k, 2)));
    doc.modified = true;
}

} // namespace tile
