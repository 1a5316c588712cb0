#include "markup/TagStripper.h"

QString TagStripper::Strip(const QString& text) const
{
    // The order matters: line-break marks become "／" before "<A=" turns into
    // "@", so that "@" survives; each replacement never rescans what it put in.
    QString plain = converter_.Convert(text);
    plain.replace(u'@', u'／');
    plain.replace(u'＠', u'／');
    plain.remove(u'>');
    plain.remove(QStringLiteral("<S="));
    plain.remove(QStringLiteral("<L="));
    plain.replace(QStringLiteral("<A="), QStringLiteral("@"));
    plain.remove(u'<');
    return plain;
}
