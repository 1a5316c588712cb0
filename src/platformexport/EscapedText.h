#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringView>

#include <optional>

// Escaping for the export formats: the characters a format gives a
// replacement for are replaced, and the runs between them are copied whole
// (copying a character at a time was most of an export's time).
class EscapedText {
public:
    // Appends `text` to `out`; `replacement(c)` gives the text standing for
    // character c, an empty one dropping it, or nothing to keep c as it is.
    template <typename Replacement>
    static void Append(QString& out, QStringView text, Replacement replacement)
    {
        qsizetype plain = 0; // start of the run not yet copied
        for (qsizetype i = 0; i < text.size(); ++i) {
            const std::optional<QLatin1String> by = replacement(text[i].unicode());
            if (!by)
                continue;
            out += text.mid(plain, i - plain);
            out += *by;
            plain = i + 1;
        }
        out += text.mid(plain);
    }
};
