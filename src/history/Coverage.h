#pragma once

#include "history/HistoryStore.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <vector>

class Model;

// How much of the current book the history has tested: for each contents
// entry (or, when the range is by numbers, each interval of it) how many
// of its keywords have been tested and when last, so the gaps stand out.
class Coverage {
public:
    struct Row {
        QString title;
        int depth = 0; // 0 for a top entry or an interval
        int keywords = 0;
        int tested = 0;
        QDateTime last; // invalid when none was tested
        double Share() const { return keywords > 0 ? double(tested) / keywords : 0.0; }
    };

    // `uses` are the book's keyword uses (HistoryStore::KeywordUses).
    static std::vector<Row> Of(Model& model, const std::map<int, HistoryStore::KeywordUse>& uses);
};
