#include "markup/GaijiTagConverter.h"

#include "markup/DecodeGaijiCode.h"
#include "markup/GaijiMapper.h"
#include "markup/GaijiTag.h"

QString GaijiTagConverter::Convert(const QString& text) const
{
    if (!text.contains(GaijiTag::Open))
        return text;

    const GaijiMapper mapper;
    const QStringView view(text);
    QString result;
    result.reserve(text.size());
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype tag = text.indexOf(GaijiTag::Open, pos);
        if (tag < 0) {
            result.append(view.mid(pos));
            break;
        }
        result.append(view.mid(pos, tag - pos));
        const QStringView code = view.mid(tag + GaijiTag::Open.size(), GaijiTag::CodeLength);
        result.append(mapper.Map(DecodeGaijiCode(code)));
        pos = tag + GaijiTag::Length;
    }
    return result;
}
