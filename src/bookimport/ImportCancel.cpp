#include "bookimport/ImportCancel.h"

namespace {

thread_local const std::atomic<bool>* t_flag = nullptr;

} // namespace

ImportCancel::Scope::Scope(const std::atomic<bool>& flag)
    : m_outer(t_flag)
{
    t_flag = &flag;
}

ImportCancel::Scope::~Scope()
{
    t_flag = m_outer;
}

bool ImportCancel::Requested()
{
    return t_flag && t_flag->load(std::memory_order_relaxed);
}
