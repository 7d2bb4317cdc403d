#pragma once
// The malformed-input corpus: tests/data/malformed/<program>/, made by make_corpus.py.

#include <QDir>
#include <QFileInfo>
#include <QtTest>

// One data row per file of the program's folder, column "path".
inline void addMalformedRows(const QString& program)
{
    QTest::addColumn<QString>("path");
    const QDir folder(QStringLiteral(MALFORMED_DIR "/") + program);
    const QFileInfoList files = folder.entryInfoList(QDir::Files, QDir::Name);
    QVERIFY2(files.size() >= 10, qPrintable(folder.path()));
    for (const QFileInfo& file : files)
        QTest::newRow(qPrintable(file.fileName())) << file.filePath();
}

inline bool folderIsEmpty(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty();
}
