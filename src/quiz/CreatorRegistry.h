#pragma once
// The word processors' print writers by application type (1 Word,
// 2 Ichitaro), and the choice of the word processor to use at start-up.
// Types are also bit values: the set of usable applications is the OR of the
// available types.
#include "quiz/WordProcessor.h"

#include <map>
#include <memory>

class CreatorRegistry {
public:
    using Map = std::map<int, std::shared_ptr<WordProcessor>>;

    // The word processors a print run can write to.
    static constexpr int kWord = 1;
    static constexpr int kIchitaro = 2;

    // Replaces any creator registered under the type.
    void Register(int type, std::shared_ptr<WordProcessor> creator);
    // Null when no creator is registered under the type.
    std::shared_ptr<WordProcessor> Find(int type) const;
    const Map& Creators() const { return m_creators; }

    // OR of the types whose creator can start its word processor.
    int AvailableTypes() const;
    // The word processor to use: the stored type when it is Word or
    // Ichitaro and available, else the first available of the two; 0 when
    // neither is available.
    static int ChooseType(int storedType, int availableTypes);

private:
    Map m_creators;
};
