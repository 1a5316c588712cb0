#pragma once
// The plain display text of a marked-up content text, for lists, dialogs and
// captions: external characters resolved to ordinary characters, line-break
// marks shown as "／", tags reduced to their text ("<A=x>" shows as "@x").
#include "markup/GaijiTagConverter.h"

#include <QString>

class TagStripper {
public:
    virtual ~TagStripper() = default;

    QString Strip(const QString& text) const;

private:
    GaijiTagConverter converter_;
};
