#pragma once
// Builds ASCII text with CR LF line ends, the form of every text file the tools write.

#include <QByteArray>
#include <QString>

namespace tms {

class CrLfText {
public:
    // Appends text without a line end.
    CrLfText& add(QStringView text);
    CrLfText& add(const char* text);
    // Appends text followed by CR LF.
    CrLfText& line(QStringView text = {});
    CrLfText& line(const char* text);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace tms
