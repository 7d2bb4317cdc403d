#include "powerpaint.h"

namespace tms::powerpaint {

namespace {

constexpr int blockSize = 5120;
constexpr int blockRowSize = 256;
constexpr int unusedLead = 16;

struct Quadrant {
    int firstRow, rowCount, firstColumn, columnCount;
};

// Screen areas of the four quadrants of a 40K file; the 10K file is quadrant 0 alone.
constexpr std::array<Quadrant, 4> quadrants = {{
    {0, 20, 0, 30},
    {0, 20, 30, 2},
    {20, 4, 0, 30},
    {20, 4, 30, 2},
}};

// Visits every stored byte of one block: (offset within the block, table index).
template <typename Visit>
void forEachStoredByte(const Quadrant& q, Visit visit)
{
    for (int r = 0; r < q.rowCount; ++r)
        for (int c = 0; c < q.columnCount; ++c)
            for (int line = 0; line < 8; ++line)
                visit(r * blockRowSize + unusedLead + c * 8 + line,
                      bitmapIndex(q.firstRow + r, q.firstColumn + c, line));
}

void writeBlock(QByteArray& out, int blockStart, const Quadrant& q, const BitmapTable& table)
{
    char* block = out.data() + blockStart;
    forEachStoredByte(q, [&](int offset, int index) { block[offset] = char(table[index]); });
}

void readBlock(const QByteArray& in, int blockStart, const Quadrant& q, BitmapTable& table)
{
    const char* block = in.constData() + blockStart;
    forEachStoredByte(q, [&](int offset, int index) { table[index] = std::uint8_t(block[offset]); });
}

} // namespace

QByteArray encode(const BitmapTable& patterns, const BitmapTable& colors, bool fullScreen)
{
    QByteArray out(fullScreen ? fullSize : tenKSize, '\0');
    if (!fullScreen) {
        writeBlock(out, 0, quadrants[0], patterns);
        writeBlock(out, blockSize, quadrants[0], colors);
        return out;
    }
    for (int q = 0; q < 4; ++q) {
        writeBlock(out, 2 * q * blockSize, quadrants[q], colors);
        writeBlock(out, (2 * q + 1) * blockSize, quadrants[q], patterns);
    }
    return out;
}

bool decode(const QByteArray& data, BitmapTable& patterns, BitmapTable& colors, bool* fullScreen)
{
    if (data.size() != tenKSize && data.size() != fullSize)
        return false;
    const bool full = data.size() == fullSize;
    if (fullScreen)
        *fullScreen = full;
    if (!full) {
        readBlock(data, 0, quadrants[0], patterns);
        readBlock(data, blockSize, quadrants[0], colors);
        return true;
    }
    for (int q = 0; q < 4; ++q) {
        readBlock(data, 2 * q * blockSize, quadrants[q], colors);
        readBlock(data, (2 * q + 1) * blockSize, quadrants[q], patterns);
    }
    return true;
}

} // namespace tms::powerpaint
