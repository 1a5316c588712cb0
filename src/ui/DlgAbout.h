#pragma once

#include "ui/CStaticLink.h"

#include <QDialog>

class QLabel;

// The About box: the program's name and version and a link to the support
// web site, which opens in the browser while the box stays open.
class DlgAbout : public QDialog {
    Q_OBJECT

public:
    // The longest version text shown; longer texts are cut to it.
    static constexpr int MaxVersionText = 254;

    // `opener` opens the link's target; without one the program-wide
    // opener of the links is used.
    explicit DlgAbout(QWidget* parent = nullptr, CStaticLink::Opener opener = {});

    // "Ver. " and the product version, or an empty text when there is none.
    static QString VersionText(const QString& productVersion);

    CStaticLink& Link() { return *link_; }

private:
    CStaticLink* link_;
};
