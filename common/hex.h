#pragma once
// Hexadecimal text as the tools write and read it: always upper case.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tms {

// Two upper-case hexadecimal digits with a leading zero: 10 -> "0A".
QString Hex2(int byte);
// The same two digits appended to bytes, for the long tables of the exports.
void appendHex2(QByteArray& bytes, std::uint8_t byte);

// The tile editor's lenient reading of hexadecimal text: every character counts by
// its position in "123456789ABCDEF" after upper-casing; anything else counts 0.
// "1F" -> 31, "G1" -> 1, "" -> 0. Only the last seven digits count, so any text gives
// a value 0..0xFFFFFFF: "123456789" -> 0x3456789.
constexpr unsigned hexValueMask = 0xFFFFFFF;
int HexValue(QStringView text);
int hexDigitValue(QChar c);

// "32 (0x20)": decimal, a blank, then the value as two hex digits in parentheses.
QString decimalHexLabel(int value);

} // namespace tms
