#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace TextSplit {

// Cuts `text` at every `separator`, left to right. An empty text gives no
// piece, and a separator at the very end gives no trailing empty piece:
// ",a" gives "" and "a"; "a," gives "a"; "a,,b" gives "a", "" and "b".
QStringList Split(const QString& text, QChar separator);

} // namespace TextSplit
