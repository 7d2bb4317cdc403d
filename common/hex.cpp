#include "hex.h"

namespace tms {

QString Hex2(int byte)
{
    return QStringLiteral("%1").arg(byte & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

void appendHex2(QByteArray& bytes, std::uint8_t byte)
{
    constexpr char digits[] = "0123456789ABCDEF";
    bytes += digits[byte >> 4];
    bytes += digits[byte & 15];
}

int hexDigitValue(QChar c)
{
    static const QString digits = QStringLiteral("123456789ABCDEF");
    return int(digits.indexOf(c.toUpper())) + 1; // not found: -1 + 1 = 0
}

int HexValue(QStringView text)
{
    // Unsigned arithmetic keeps any length defined; the mask keeps the last seven
    // digits, so the result is never negative.
    unsigned value = 0;
    for (QChar c : text)
        value = (value * 16 + unsigned(hexDigitValue(c))) & hexValueMask;
    return int(value);
}

QString decimalHexLabel(int value)
{
    return QStringLiteral("%1 (0x%2)").arg(value).arg(Hex2(value));
}

} // namespace tms
