#pragma once
// The creators by application type (1 Word, 2 Ichitaro), and the choice of
// the word processor to use at start-up. Types are also bit values: the set
// of usable applications is the OR of the available types.
#include "print/Creator.h"

#include <map>
#include <memory>

namespace Print {

class CreatorRegistry {
public:
    using Map = std::map<int, std::shared_ptr<Creator>>;

    // Replaces any creator registered under the type.
    void Register(int type, std::shared_ptr<Creator> creator);
    // Null when no creator is registered under the type.
    std::shared_ptr<Creator> Find(int type) const;
    const Map& Creators() const { return m_creators; }

    // OR of the types whose creator can start its word processor.
    int AvailableTypes() const;
    // The stored type when it is available, else the lowest available type;
    // 0 when none is available.
    static int ChooseType(int storedType, int availableTypes);

private:
    Map m_creators;
};

} // namespace Print
