#pragma once
// The malformed-input corpus (tests/data/malformed/<program>/, made by make_corpus.py)
// and a way to hear what a batch run says on stderr while it runs in the test's process.

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

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

// Sends file descriptor 2 into a temporary file until text() is called.
class StderrCapture {
public:
    StderrCapture()
    {
        std::fflush(stderr);
        if (m_file.open()) {
            m_saved = ::dup(2);
            ::dup2(m_file.handle(), 2);
        }
    }
    ~StderrCapture() { text(); }

    QString text()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::dup2(m_saved, 2);
            ::close(m_saved);
            m_saved = -1;
            m_file.seek(0);
            m_text = QString::fromLocal8Bit(m_file.readAll());
        }
        return m_text;
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
    QString m_text;
};

inline bool folderIsEmpty(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty();
}
