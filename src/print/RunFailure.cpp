#include "print/RunFailure.h"

#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace Print {

QString RunFailure::Reason() const
{
    switch (cause) {
    case Cause::None: return {};
    case Cause::TemplateUnreadable: return Res::Filled(Res::IDS_TEMPLATE_UNREADABLE, {subject});
    case Cause::NotATemplate: return Res::Filled(Res::IDS_TEMPLATE_NOT_A_DOCUMENT, {subject});
    case Cause::MissingStyle: return Res::Filled(Res::IDS_TEMPLATE_NO_STYLE, {subject});
    case Cause::BeginsWithTable: return Res::String(Res::IDS_TEMPLATE_BEGINS_WITH_TABLE);
    case Cause::MarkLeft: return Res::Filled(Res::IDS_TEMPLATE_MARK_LEFT, {subject});
    }
    return {};
}

QString RunFailure::Message() const
{
    const QString reason = Reason();
    const QString failed = Res::String(Res::IDS_ERR_CREATE_PRINT);
    return reason.isEmpty() ? failed : failed + QLatin1Char('\n') + reason;
}

} // namespace Print
