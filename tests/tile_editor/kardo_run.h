#pragma once
// The batch entry point of either edition run in this process, and the rows that run a
// test once for each edition.

#include "batch_command_line.h"
#include "program_run.h"

#include <QtTest>

inline ProgramRun kardo(const QStringList& arguments, tile::Edition edition = tile::Edition::ScreenMode2)
{
    return runInProcess(
        tile::editionProgramName(edition),
        [edition](const QStringList& a, tms::batch::Console& c) { return tile::runBatch(a, c, edition); }, arguments);
}

template <typename Column = int>
void editionRows()
{
    QTest::addColumn<Column>("edition");
    QTest::newRow("kardo3") << Column(tile::Edition::ScreenMode2);
    QTest::newRow("kardo2") << Column(tile::Edition::ScreenMode1);
}
