#include "history/HistoryRecorder.h"

#include "history/HistoryStore.h"
#include "res/ResourceIds.h"

#include <atomic>

namespace {

std::atomic<bool> toldOnce{false};

} // namespace

HistoryRecorder::HistoryRecorder(QString file, Tell tell)
    : m_file(std::move(file))
    , m_tell(std::move(tell))
{
}

long long HistoryRecorder::Record(const RunRecord& run)
{
    HistoryStore store(m_file);
    QString error;
    const long long id = m_file.isEmpty() ? 0 : store.Record(run, &error);
    if (!store.SetAsideFile().isEmpty() && m_tell)
        m_tell(Res::IDS_HISTORY_SET_ASIDE, store.SetAsideFile());
    if (id == 0 && !toldOnce.exchange(true) && m_tell)
        m_tell(Res::IDS_ERR_HISTORY_WRITE, error.isEmpty() ? m_file : m_file + QStringLiteral("\n") + error);
    return id;
}

void HistoryRecorder::ResetToldOnce()
{
    toldOnce = false;
}
