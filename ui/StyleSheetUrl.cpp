#include "ui/StyleSheetUrl.h"

QString styleSheetUrl(const QString &path)
{
    QString quoted;
    quoted.reserve(path.size() + 8);
    quoted += QStringLiteral("url(\"");
    for (const QChar c : path) {
        // Qt's style sheet strings end at an unescaped quote or line break; a backslash
        // takes the character after it as it is.
        if (c == QLatin1Char('\\') || c == QLatin1Char('"') || c == QLatin1Char('\n') || c == QLatin1Char('\r')
            || c == QLatin1Char('\f'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QStringLiteral("\")");
    return quoted;
}
