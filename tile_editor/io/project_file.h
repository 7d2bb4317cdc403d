#pragma once
// The project file (.dat): the whole document as assembler data lines. Every line is a
// record of 81 bytes: a 16-character label field, sixteen values "$hh" joined by ","
// and CR LF. Five sections follow each other: NAME (name table in screen order),
// PATTERN, MCOLOR (row colours), SPATT (sprite patterns) and SCOLOR (sprite colours).
// Files of the screen mode 1 edition carry a two-line COLOR section, one colour per
// group of eight characters, in place of MCOLOR (310 lines in all); kardo3 loads them
// too, spreading each group colour over the rows of its characters. A screen mode 1
// document writes and reads only that form, and refuses a screen mode 2 project (its
// colour section is 2048 values long) rather than misreading it.

#include "atomic_file.h"
#include "tile_document.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace tile {

constexpr int projectRecordLength = 81;
constexpr int projectLineCount = 436;

// The project file's bytes for the document's tables.
QByteArray projectFileBytes(const TileDocument& doc);

// Writes the tables to path through a QSaveFile: a failed write leaves the old file whole.
tms::FileResult writeProjectFile(const QString& path, const TileDocument& doc);

struct ProjectLoad {
    enum class Outcome {
        Complete,   // every table was read
        Incomplete, // the file ended early: the values it lacks were left as they were
        Refused,    // nothing was changed
    };
    Outcome outcome = Outcome::Refused;
    QString message;            // for the user, when not Complete
    int valuesStored = 0;       // values taken into the tables
    bool modeOneColors = false; // a COLOR section (one colour per 8 characters) was read
    bool ok() const { return outcome == Outcome::Complete; }
};

// One record of a project file as the loader sees it: leading and trailing spaces
// removed, then CR and LF removed from the end one at a time.
QByteArray readRecord81(const QByteArray& record);

// Reads a project from a device into doc's tables. The values run through the
// sections in order whatever the lines they sit on. A refused load (no value at all,
// a record that does not end in CR LF, a read error) changes nothing; a file that ends
// early keeps what it supplied and leaves the rest as it was. On success clears
// doc.modified. Reading stops after the sprite colours, so a long file is never read
// beyond them, and memory use does not depend on the file's length.
ProjectLoad loadProject(QIODevice& file, TileDocument& doc, const QString& displayName = {});
ProjectLoad loadProjectFile(const QString& path, TileDocument& doc);

} // namespace tile
