#include "quiz/CreatorRegistry.h"

namespace {
// Types are small positive bit values (1, 2, 4, ...).
bool IsTypeBit(int type)
{
    return type > 0 && (type & (type - 1)) == 0;
}
} // namespace

void CreatorRegistry::Register(int type, std::shared_ptr<WordProcessor> creator)
{
    m_creators[type] = std::move(creator);
}

std::shared_ptr<WordProcessor> CreatorRegistry::Find(int type) const
{
    const auto found = m_creators.find(type);
    return found == m_creators.end() ? nullptr : found->second;
}

int CreatorRegistry::AvailableTypes() const
{
    int available = 0;
    for (const auto& [type, creator] : m_creators) {
        if (IsTypeBit(type) && creator && creator->IsAvailable())
            available |= type;
    }
    return available;
}

int CreatorRegistry::ChooseType(int storedType, int availableTypes)
{
    // Only a stored word processor of its own counts: a stored 3 (both
    // bits) or an unknown type is no choice.
    if ((storedType == kWord || storedType == kIchitaro) && (availableTypes & storedType) != 0)
        return storedType;
    for (int type : {kWord, kIchitaro}) {
        if ((availableTypes & type) != 0)
            return type;
    }
    return 0;
}
