#include "text_writer.h"

namespace tms {

CrLfText& CrLfText::add(QStringView text)
{
    m_bytes += text.toLatin1();
    return *this;
}

CrLfText& CrLfText::add(const char* text)
{
    m_bytes += text;
    return *this;
}

CrLfText& CrLfText::line(QStringView text)
{
    add(text);
    m_bytes += "\r\n";
    return *this;
}

CrLfText& CrLfText::line(const char* text)
{
    add(text);
    m_bytes += "\r\n";
    return *this;
}

} // namespace tms
