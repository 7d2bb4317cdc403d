// The PowerPaint reader: a refused file leaves the picture as it was; an accepted one
// is 10K or 40K, takes exactly its stored area, and writes back to the same bytes
// wherever the format stores picture data.

#include "fuzz_check.h"
#include "powerpaint.h"

#include <QByteArray>
#include <cstdint>

namespace {

tms::BitmapTable counting(int step)
{
    tms::BitmapTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = std::uint8_t(i * step + 7);
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Most inputs are short; pad some to the two accepted sizes so that the decoder
    // itself is reached, not only the length check.
    QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    if (size > 0 && data[0] == 'P')
        file = file.leftJustified(size % 2 ? tms::powerpaint::fullSize : tms::powerpaint::tenKSize, '\0', true);

    const tms::BitmapTable patternsBefore = counting(3), colorsBefore = counting(5);
    tms::BitmapTable patterns = patternsBefore, colors = colorsBefore;
    bool fullScreen = false;
    if (!tms::powerpaint::decode(file, patterns, colors, &fullScreen)) {
        FUZZ_CHECK(patterns == patternsBefore && colors == colorsBefore);
        FUZZ_CHECK(file.size() != tms::powerpaint::tenKSize && file.size() != tms::powerpaint::fullSize);
        return 0;
    }
    FUZZ_CHECK(file.size() == (fullScreen ? tms::powerpaint::fullSize : tms::powerpaint::tenKSize));

    // Written again, the file keeps every stored byte; padding becomes zero.
    const QByteArray written = tms::powerpaint::encode(patterns, colors, fullScreen);
    FUZZ_CHECK(written.size() == file.size());
    for (qsizetype i = 0; i < written.size(); ++i)
        FUZZ_CHECK(written[i] == 0 || written[i] == file[i]);

    // And reads back to the same tables.
    const tms::BitmapTable patternsOther = counting(11), colorsOther = counting(13);
    tms::BitmapTable patternsAgain = patternsOther, colorsAgain = colorsOther;
    bool fullAgain = !fullScreen;
    FUZZ_CHECK(tms::powerpaint::decode(written, patternsAgain, colorsAgain, &fullAgain));
    FUZZ_CHECK(fullAgain == fullScreen);
    if (fullScreen) {
        FUZZ_CHECK(patternsAgain == patterns && colorsAgain == colors);
    } else {
        // A 10K file holds character rows 0..19, columns 0..29.
        for (int row = 0; row < 24; ++row)
            for (int column = 0; column < 32; ++column)
                for (int line = 0; line < 8; ++line) {
                    const int i = tms::bitmapIndex(row, column, line);
                    const bool stored = row < 20 && column < 30;
                    FUZZ_CHECK(patternsAgain[i] == (stored ? patterns[i] : patternsOther[i]));
                    FUZZ_CHECK(colorsAgain[i] == (stored ? colors[i] : colorsOther[i]));
                    FUZZ_CHECK(stored || (patterns[i] == patternsBefore[i] && colors[i] == colorsBefore[i]));
                }
    }
    return 0;
}
