// HexValue over any text: defined for every length, never negative, equal to the value
// of the last seven characters read one by one, and the inverse of Hex2 on a byte.

#include "fuzz_check.h"
#include "hex.h"

#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const int value = tms::HexValue(text);
    FUZZ_CHECK(value >= 0 && unsigned(value) <= tms::hexValueMask);

    // Digits before the last seven shift out entirely.
    long long expected = 0;
    for (QChar c : QStringView(text).right(7))
        expected = expected * 16 + tms::hexDigitValue(c);
    FUZZ_CHECK(value == expected);

    const int byte = size > 0 ? data[0] : 0;
    FUZZ_CHECK(tms::HexValue(tms::Hex2(byte)) == byte);
    FUZZ_CHECK(tms::HexValue(tms::Hex2(byte).toLower()) == byte);
    return 0;
}
