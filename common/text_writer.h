#pragma once
// Builds ASCII text with CR LF line ends, the form of every text file the tools write.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

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

// Assembler data: a tab, ".byte " and up to 16 values "$hh" a line, separated by commas.
void writeAsmDataLines(CrLfText& text, const std::vector<std::uint8_t>& values);

// The seven banner lines of an assembler source, the fifth of them empty (the screen
// mode 2 tile editor has a banner of its own).
void writeAsmBanner(CrLfText& text);
QStringList asmBannerLines();

} // namespace tms
