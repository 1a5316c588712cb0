#pragma once

#include "model/Node.h"

#include <QString>

// One question format of a book (a row of Questions).
class Question : public Node {
public:
    int qid = 0;
    int sort_key = 0;
    QString title;
    QString question;      // the instruction text
    QString ans_field;     // printed after each sub-question
    int ans_field_spc = 0; // number of empty answer lines
    bool is_alter = false;
};
