#include "platformexport/ParallelPrints.h"

#include "platformexport/MarkupRenderer.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

void ParallelPrints::ForEach(std::size_t count, const std::function<void(std::size_t)>& render)
{
    // What the renderers build on first use is built here, before any
    // second thread could race to build it.
    MarkupRenderer::Prepare();
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers = std::min({cores, count, std::size_t(8)});
    const auto share = [&](std::size_t first) {
        for (std::size_t index = first; index < count; index += workers)
            render(index);
    };
    std::vector<std::thread> others;
    for (std::size_t first = 1; first < workers; ++first) {
        try {
            others.emplace_back(share, first);
        } catch (const std::system_error&) {
            share(first); // no thread to be had: this one does that share too
        }
    }
    if (workers > 0)
        share(0);
    for (std::thread& other : others)
        other.join();
}
