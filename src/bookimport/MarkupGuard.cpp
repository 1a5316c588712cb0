#include "bookimport/MarkupGuard.h"

QString MarkupGuard::Guard(const QString& text, bool& changed)
{
    changed = false;
    if (!text.contains(u'<'))
        return text;
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (result[i] != u'<')
            continue;
        const qsizetype close = result.indexOf(u'>', i + 1);
        const qsizetype nextOpen = result.indexOf(u'<', i + 1);
        if (close < 0 || (nextOpen >= 0 && nextOpen < close)) {
            result[i] = QChar(0xFF1C);
            changed = true;
        } else {
            i = close;
        }
    }
    return result;
}
