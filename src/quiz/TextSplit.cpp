#include "quiz/TextSplit.h"

namespace TextSplit {

QStringList Split(const QString& text, QChar separator)
{
    QStringList pieces = text.split(separator);
    if (!pieces.isEmpty() && pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

} // namespace TextSplit
