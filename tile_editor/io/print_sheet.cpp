#include "print_sheet.h"

#include "hex.h"
#include "table_rendering.h"

#include <QBuffer>
#include <QDateTime>
#include <QFontMetricsF>
#include <QHashSeed>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QTimeZone>

namespace tile {

namespace {

constexpr int charsPerPage = 64;
constexpr int pageCount = charCount / charsPerPage;
constexpr int rowsPerColumn = 32;

// The layout's inches: the printable area taken as 8.5 x 11 inches.
struct Inches {
    double x;
    double y;
};

// The label font: "Courrier" sized so that one label line is a quarter inch high
// (the toolkit substitutes a font of its own when there is no such one).
QFont labelFont(QPaintDevice& device, double inchY)
{
    QFont font(QStringLiteral("Courrier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(14);
    const double height = QFontMetricsF(font, &device).height();
    font.setPointSizeF(14 * (inchY / 4) / height);
    return font;
}

// pic_8x8: the character drawn in its row colours on 64 x 64 units, each pattern pixel
// a square of 8 x 8 units, so that the page keeps the squares sharp where it scales.
QImage characterImage(const SheetSource& source, int c)
{
    QImage image(64, 64, QImage::Format_RGB32);
    paintCharacter(image, *source.doc, source.palette, c, 0, 0, 8);
    return image;
}

void paintPage(QPainter& painter, const SheetSource& source, int page, Inches inch, const QFont& label)
{
    QFont title(QStringLiteral("Arial"));
    title.setStyleHint(QFont::SansSerif);
    title.setPointSizeF(label.pointSizeF() * 2);
    painter.setFont(title);
    const QString heading = QStringLiteral("PATTERN TABLE");
    const QFontMetricsF titleMetrics(title, painter.device());
    const QSizeF titleSize(titleMetrics.horizontalAdvance(heading), titleMetrics.height());
    painter.drawText(
        QRectF(QPointF(4.25 * inch.x - titleSize.width() / 2, 1.5 * inch.y - titleSize.height() / 2), titleSize),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, heading);

    painter.setFont(label);
    const QFontMetricsF labelMetrics(label, painter.device());
    const double side = 0.225 * inch.y; // nine tenths of the row pitch
    for (int a = 0; a < 2; ++a) {
        for (int r = 0; r < rowsPerColumn; ++r) {
            const int c = charsPerPage * page + rowsPerColumn * a + r;
            const double x0 = (1 + 3.25 * a) * inch.x;
            const double y = (2 + r / 4.0) * inch.y;
            const QString number = tms::Hex2(c);
            painter.setPen(QPen(Qt::black, inch.y / 100));
            painter.drawText(
                QRectF(QPointF(x0, y), QSizeF(labelMetrics.horizontalAdvance(number), labelMetrics.height())),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, number);
            const double lineY = y + labelMetrics.height();
            painter.drawLine(QPointF(x0 + inch.x, lineY), QPointF(x0 + 3 * inch.x, lineY));
            painter.drawImage(QRectF(x0 + 0.5 * inch.x, y, side, side), characterImage(source, c));
        }
    }
}

} // namespace

SheetSource sheetSourceOf(const TileDocument& doc, const tms::Palette& palette)
{
    return {&doc, palette};
}

QPageSize pageSizeOf(SheetPaper paper)
{
    switch (paper) {
    case SheetPaper::A4: return QPageSize(QPageSize::A4);
    case SheetPaper::B5: return QPageSize(QPageSize::JisB5);
    case SheetPaper::Letter: break;
    }
    return QPageSize(QPageSize::Letter);
}

std::optional<SheetPaper> paperNamed(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == QStringLiteral("letter"))
        return SheetPaper::Letter;
    if (lower == QStringLiteral("a4"))
        return SheetPaper::A4;
    if (lower == QStringLiteral("b5"))
        return SheetPaper::B5;
    return std::nullopt;
}

bool paintCharacterSheet(QPagedPaintDevice& device, const SheetSource& source)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const Inches inch{device.width() / 8.5, device.height() / 11.0};
    const QFont label = labelFont(device, inch.y);
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        paintPage(painter, source, page, inch, label);
    }
    return painter.end();
}

namespace {

// The toolkit stamps the time of writing into the sheet: when SOURCE_DATE_EPOCH is set
// (reproducible builds' convention), that moment is stamped instead. Same length, so
// the cross-reference offsets stay right.
void stampSourceDate(QByteArray& pdf)
{
    bool isNumber = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&isNumber);
    if (!isNumber)
        return;
    static const QByteArray key("/CreationDate (D:");
    const qsizetype at = pdf.indexOf(key);
    const QByteArray stamp =
        QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc()).toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    if (at < 0 || stamp.size() != 14 || at + key.size() + 15 > pdf.size() || pdf[at + key.size() + 14] != 'Z')
        return;
    pdf.replace(at + key.size(), 14, stamp);
}

} // namespace

QByteArray characterSheetPdf(const SheetSource& source, SheetPaper paper)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        // The writer keeps its fonts in a hash filled while painting: a fixed seed writes
        // them in a fixed order, so that the same document gives the same bytes. Each
        // hash keeps the seed it was made with; later ones get a random seed again.
        struct FixedHashOrder {
            FixedHashOrder() { QHashSeed::setDeterministicGlobalSeed(); }
            ~FixedHashOrder() { QHashSeed::resetRandomGlobalSeed(); }
        } fixedOrder;
        QPdfWriter writer(&buffer);
        writer.setPageSize(pageSizeOf(paper));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setTitle(QStringLiteral("PATTERN TABLE"));
        if (!paintCharacterSheet(writer, source))
            return {};
    }
    QByteArray pdf = buffer.data();
    stampSourceDate(pdf);
    return pdf;
}

} // namespace tile
