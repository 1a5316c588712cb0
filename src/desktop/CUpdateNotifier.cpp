#include "desktop/CUpdateNotifier.h"

#include "desktop/MessageBox.h"
#include "desktop/UpdateLog.h"
#include "desktop/UpdateMenu.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <utility>

CUpdateNotifier::CUpdateNotifier(BrowserOpener openInBrowser)
    : m_openInBrowser(std::move(openInBrowser))
{
}

void CUpdateNotifier::SetResult(const QString& downloadAddress)
{
    m_downloadAddress = downloadAddress.trimmed();
    UpdateMenuItem();
    if (m_downloadAddress.isEmpty())
        Report(Res::IDS_UP_TO_DATE, MessageIcon::Information);
}

void CUpdateNotifier::UpdateMenuItem()
{
    if (!m_owner)
        return;
    m_owner->RemoveUpdateItem();
    if (m_downloadAddress.isEmpty()) {
        qCDebug(lcUpdateCheck) << "not need update";
        return;
    }
    qCDebug(lcUpdateCheck) << "need update";
    m_owner->AddUpdateItem(Res::String(Res::IDS_UPDATE_AVAILABLE));
}

void CUpdateNotifier::Report(int stringId, MessageIcon icon) const
{
    if (!m_quiet)
        ShowMessage(icon, MessageButtons::Ok, Res::String(stringId));
}

bool CUpdateNotifier::OpenDownloadPage() const
{
    if (m_downloadAddress.isEmpty() || !m_openInBrowser)
        return false;
    return m_openInBrowser(m_downloadAddress);
}
