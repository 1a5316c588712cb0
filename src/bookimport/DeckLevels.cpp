#include "bookimport/DeckLevels.h"

#include <algorithm>
#include <limits>

namespace {

QStringList LevelsOf(const QString& path)
{
    QStringList levels;
    for (const QString& level : path.split(QStringLiteral("::"))) {
        const QString name = level.trimmed();
        if (!name.isEmpty())
            levels.append(name);
    }
    return levels;
}

} // namespace

std::vector<DeckLevels::Heading> DeckLevels::Split(const QStringList& paths)
{
    std::vector<QStringList> levels;
    levels.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString& path : paths)
        levels.push_back(LevelsOf(path));

    // The shared levels: as many as all named decks begin with alike, and
    // fewer than the shortest of them has.
    const QStringList* first = nullptr;
    qsizetype shared = std::numeric_limits<qsizetype>::max();
    for (const QStringList& path : levels) {
        if (path.isEmpty())
            continue;
        if (!first)
            first = &path;
        qsizetype same = 0;
        while (same < path.size() - 1 && same < first->size() && path[same] == (*first)[same])
            ++same;
        shared = std::min(shared, same);
    }

    std::vector<Heading> headings(levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const QStringList& path = levels[i];
        if (path.isEmpty())
            continue;
        headings[i].chapter = path[shared];
        headings[i].section = path.mid(shared + 1).join(QStringLiteral(" / "));
    }
    return headings;
}
