#include "source_table.h"

#include <QRegularExpression>

namespace tms {

bool isTableIdentifier(const QString& name)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,63}$"));
    static const QStringList keywords =
        QStringLiteral(
            "auto break case char const continue default do double else enum extern float for goto if inline int "
            "long register restrict return short signed sizeof static struct switch typedef union unsigned void "
            "volatile while _Bool _Complex _Imaginary bool")
            .split(QLatin1Char(' '));
    return form.match(name).hasMatch() && !keywords.contains(name);
}

QString notTableIdentifierMessage(const QString& name)
{
    return QStringLiteral("\"%1\" cannot name a table: use letters, digits and \"_\" (not first a digit), "
                          "at most 64, and no C keyword")
        .arg(name);
}

} // namespace tms
