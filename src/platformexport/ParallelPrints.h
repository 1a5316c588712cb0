#pragma once

#include <cstddef>
#include <functional>

// An export's prints rendered on the machine's cores: each print's text is
// made apart from the others' (by `render(index)`, into a buffer of the
// print's own), and the writer joins them in print order afterwards. Every
// print of an export is the same kind of work, so the prints are dealt out
// in turn, at most one thread per core, from the process's thread pool.
class ParallelPrints {
public:
    // Calls `render` once for each index below `count`; returns when all
    // have returned. `render` must only read shared data.
    static void ForEach(std::size_t count, const std::function<void(std::size_t)>& render);
};
