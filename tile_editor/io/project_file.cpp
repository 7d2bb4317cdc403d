#include "project_file.h"

#include "hex.h"
#include "table_order.h"
#include "text_writer.h"

#include <QFile>
#include <optional>

namespace tile {

namespace {

const char* const continuationLabel = "        DB      ";

struct Section {
    const char* label;
    std::vector<Byte> values;
};

// One section: the label on its first line, then the values sixteen to a line.
void writeSection(tms::CrLfText& text, const char* label, const std::vector<Byte>& values)
{
    QString line = QString::fromLatin1(label);
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += QLatin1Char('$') + tms::Hex2(values[i]);
        if (i % 16 != 15) {
            line += QLatin1Char(',');
        } else {
            text.line(line);
            line = QString::fromLatin1(continuationLabel);
        }
    }
}

// Where the next value goes: the sections and their counters, run over the values as
// they come, whatever lines they sit on.
class ValueSink {
public:
    explicit ValueSink(TileDocument& tables) : m_doc(tables) {}

    bool finished() const { return m_section > 5; }
    int section() const { return m_section; }
    int stored() const { return m_stored; }

    void store(Byte value, bool modeOneColors)
    {
        if (finished())
            return; // values beyond the sprite colours are ignored
        ++m_stored;
        switch (m_section) {
        case 1:
            m_doc.nameTable[m_b][m_a] = value;
            advance(screenColumns, screenRows);
            break;
        case 2:
            m_doc.charPatterns[m_a][m_b] = value;
            advance(8, charCount);
            break;
        case 3:
            if (m_doc.traits().groupColors()) {
                m_doc.groupColors[m_b] = value;
                if (++m_b == colorGroupCount)
                    nextSection();
            } else if (modeOneColors) {
                // One colour for each group of eight characters, for all their rows.
                for (int c = 8 * m_b; c < 8 * m_b + 8; ++c)
                    m_doc.charColors[c].fill(value);
                if (++m_b == 32)
                    nextSection();
            } else {
                m_doc.charColors[m_a][m_b] = value;
                advance(8, charCount);
            }
            break;
        case 4:
            m_doc.spritePatterns[m_a][m_b] = value;
            advance(32, spriteCount);
            break;
        case 5:
            m_doc.spriteColors[m_b] = value;
            if (++m_b == spriteCount)
                nextSection();
            break;
        }
    }

private:
    void advance(int innerCount, int outerCount)
    {
        if (++m_b < innerCount)
            return;
        m_b = 0;
        if (++m_a == outerCount)
            nextSection();
    }

    void nextSection()
    {
        ++m_section;
        m_a = m_b = 0;
    }

    TileDocument& m_doc;
    int m_section = 1;
    int m_a = 0; // outer index
    int m_b = 0; // inner index
    int m_stored = 0;
};

const char* sectionName(int section)
{
    switch (section) {
    case 1: return "name table";
    case 2: return "character patterns";
    case 3: return "character colours";
    case 4: return "sprite patterns";
    default: return "sprite colours";
    }
}

// The colour section begins after the name table and the patterns, whose sizes are
// fixed. Its length is known once a later record carries a section label: 32 values in
// a screen mode 1 project, 2048 in a screen mode 2 one.
class ColourSectionMeasure {
public:
    static constexpr int firstValue = screenColumns * screenRows + charCount * 8;

    void noteRecord(const QByteArray& label, int valuesBefore)
    {
        if (!m_length && valuesBefore > firstValue && label.trimmed() != "DB")
            m_length = valuesBefore - firstValue;
    }
    bool longerThanGroupColours() const { return m_length && *m_length > colorGroupCount; }
    int length() const { return m_length.value_or(0); }

private:
    std::optional<int> m_length;
};

// Reads up to one record, until it is whole or the file ends. False on a read error,
// which must not pass for the end of a file cut short.
bool readRecord(QIODevice& file, QByteArray& record)
{
    record.resize(projectRecordLength);
    qint64 filled = 0;
    while (filled < projectRecordLength) {
        const qint64 n = file.read(record.data() + filled, projectRecordLength - filled);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        filled += n;
    }
    record.truncate(filled);
    return true;
}

QString readErrorReason(const QIODevice& file)
{
    const QString text = file.errorString();
    return text.isEmpty() || text == QLatin1String("Unknown error") ? QStringLiteral("read error") : text;
}

ProjectLoad refused(QString message)
{
    ProjectLoad result;
    result.outcome = ProjectLoad::Outcome::Refused;
    result.message = std::move(message);
    return result;
}

} // namespace

QByteArray projectFileBytes(const TileDocument& doc)
{
    tms::CrLfText text;
    writeSection(text, "NAME    DB      ", nameTableBytes(doc));
    writeSection(text, "PATTERN DB      ", patternBytes(doc));
    writeSection(text, doc.traits().projectColorSection, colorBytes(doc));
    writeSection(text, "SPATT   DB      ", spritePatternBytes(doc));
    writeSection(text, "SCOLOR  DB      ", std::vector<Byte>(doc.spriteColors.begin(), doc.spriteColors.end()));
    return text.bytes();
}

tms::FileResult writeProjectFile(const QString& path, const TileDocument& doc)
{
    return tms::writeWholeFile(path, projectFileBytes(doc));
}

QByteArray readRecord81(const QByteArray& record)
{
    qsizetype begin = 0;
    qsizetype end = record.size();
    while (begin < end && record[begin] == ' ')
        ++begin;
    while (end > begin && record[end - 1] == ' ')
        --end;
    while (end > begin && (record[end - 1] == '\r' || record[end - 1] == '\n'))
        --end;
    return record.mid(begin, end - begin);
}

ProjectLoad loadProject(QIODevice& file, TileDocument& doc, const QString& displayName)
{
    const QString name = displayName.isEmpty() ? QStringLiteral("the file") : QStringLiteral("\"%1\"").arg(displayName);
    // The values go into a copy, so that a refused file leaves the document as it was.
    TileDocument loaded = doc;
    ValueSink sink(loaded);
    bool modeOneColors = false;
    int recordNumber = 0;
    bool skippedShortRecord = false;
    int valuesSeen = 0;
    ColourSectionMeasure colourSection;

    QByteArray raw; // one buffer for every record: a long file costs no allocation per line
    while (!sink.finished()) {
        if (!readRecord(file, raw))
            return refused(QStringLiteral("Cannot read %1: %2").arg(name, readErrorReason(file)));
        if (raw.isEmpty())
            break; // the end of the file
        ++recordNumber;
        if (raw.size() < projectRecordLength) {
            // The end of the file was hit inside this record. A record that lacks only its
            // line end is still whole; one cut inside its values is skipped rather than
            // misread (a lone digit would be taken for a different value).
            if (raw.size() < projectRecordLength - 2) {
                skippedShortRecord = true;
                break;
            }
        } else if (raw[79] != '\r' || raw[80] != '\n') {
            return refused(QStringLiteral("%1 is not a project file: line %2 is not 81 bytes long ending with "
                                          "CR LF.")
                               .arg(name)
                               .arg(recordNumber));
        }

        // A record without values has nothing to split; it is passed over without a copy,
        // so that a file of blank lines is read at the disk's pace.
        if (!raw.contains('$'))
            continue;
        const QByteArray record = readRecord81(raw);
        const qsizetype dollar = record.indexOf('$');
        if (record.left(dollar).startsWith("COLOR"))
            modeOneColors = true;
        colourSection.noteRecord(record.left(dollar), valuesSeen);
        const char* text = record.constData();
        const qsizetype size = record.size();
        qsizetype at = dollar + 1;
        while (at < size) {
            const QString digits = QString::fromLatin1(text + at, std::min<qsizetype>(2, size - at));
            sink.store(Byte(tms::HexValue(digits)), modeOneColors);
            ++valuesSeen;
            const qsizetype next = record.indexOf('$', at);
            if (next < 0)
                break;
            at = next + 1;
        }
    }

    if (sink.stored() == 0) {
        if (recordNumber == 0)
            return refused(QStringLiteral("%1 is empty.").arg(name));
        return refused(QStringLiteral("%1 is not a project file: it holds no \"$\" values.").arg(name));
    }

    if (doc.traits().groupColors() && colourSection.longerThanGroupColours())
        return refused(QStringLiteral("%1 is a screen mode 2 project: its colour section holds %2 values, one for "
                                      "each row of each character, where kardo2 reads one colour for each group of "
                                      "8 characters. Open it with kardo3.")
                           .arg(name)
                           .arg(colourSection.length()));

    doc.charPatterns = loaded.charPatterns;
    doc.charColors = loaded.charColors;
    doc.groupColors = loaded.groupColors;
    doc.nameTable = loaded.nameTable;
    doc.spritePatterns = loaded.spritePatterns;
    doc.spriteColors = loaded.spriteColors;
    doc.modified = false;

    ProjectLoad result;
    result.valuesStored = sink.stored();
    result.modeOneColors = modeOneColors;
    if (sink.finished()) {
        result.outcome = ProjectLoad::Outcome::Complete;
    } else {
        result.outcome = ProjectLoad::Outcome::Incomplete;
        result.message = QStringLiteral("%1 ends inside its %2%3: the values it lacks were left as they were.")
                             .arg(name, QString::fromLatin1(sectionName(sink.section())),
                                  skippedShortRecord ? QStringLiteral(" (its last line is cut short)") : QString());
    }
    return result;
}

ProjectLoad loadProjectFile(const QString& path, TileDocument& doc)
{
    // A folder or a device would never end (or never start): only plain files are read.
    if (const QString kind = tms::nonRegularFileKind(path); !kind.isEmpty())
        return refused(QStringLiteral("Cannot read \"%1\": it is %2, not a regular file.").arg(path, kind));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    // The check of the Open dialog, so that every way in refuses the same files.
    const QByteArray signature = file.read(4);
    if (file.error() != QFileDevice::NoError)
        return refused(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    if (signature.isEmpty())
        return refused(QStringLiteral("\"%1\" is empty.").arg(path));
    if (signature != "NAME")
        return refused(QStringLiteral("\"%1\" is not a project file: it does not begin with \"NAME\".").arg(path));
    if (!file.seek(0))
        return refused(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    return loadProject(file, doc, path);
}

} // namespace tile
