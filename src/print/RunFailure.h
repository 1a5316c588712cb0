#pragma once

#include <QString>

namespace Print {

// Why a print run failed, where the run could tell: what is wrong with
// the template, or a mark of the template that is still in the document
// after its replacement. Other failures (the word processor would not
// start or went away) have no cause of their own.
struct RunFailure {
    enum class Cause {
        None,
        TemplateUnreadable, // subject: the template file
        NotATemplate,       // subject: the template file
        MissingStyle,       // subject: the paragraph style
        BeginsWithTable,
        MarkLeft, // subject: the mark
    };

    Cause cause = Cause::None;
    QString subject;

    // The line that says why, in the teacher's words; empty without a cause.
    QString Reason() const;
    // 606, with the reason on the next line when there is one.
    QString Message() const;
};

} // namespace Print
