#pragma once

#include "model/Node.h"

#include <QString>

// The definition of one attribute (a row of AttrClasses).
class AttrClass : public Node {
public:
    int acid = 0;
    QString name;
    QString long_name;
    int type = 0;
    int sort_key = 0;
    bool is_range = false; // offered for choosing by a number interval
};
