#pragma once

#include "platformexport/ExportBytes.h"

#include <QByteArray>
#include <QString>

struct ExportSet;

// The prints as one self-contained web page for pupils' tablets and
// phones: a section per print with its question formats and an input box
// per sub-question, a "答え合わせ" button that marks every answer and shows
// the score, and a "解答を見る" button that shows the answers as printed.
// Style and script are inside the page and its content policy lets it load
// nothing, so it works from a file, offline, on any device. The accepted
// forms come from AnswerNormalizer; the script brings the pupil's text to
// the same form.
class SelfCheckPageWriter {
public:
    static ExportBytes Write(const ExportSet& set);
};
