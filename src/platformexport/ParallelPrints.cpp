#include "platformexport/ParallelPrints.h"

#include "platformexport/MarkupRenderer.h"

#include <QThreadPool>

#include <algorithm>
#include <latch>

void ParallelPrints::ForEach(std::size_t count, const std::function<void(std::size_t)>& render)
{
    // What the renderers build on first use is built here, before any
    // second thread could race to build it.
    MarkupRenderer::Prepare();
    // The process's shared pool keeps its threads between exports (making a
    // thread for each export cost as much as a small export's rendering).
    QThreadPool& pool = *QThreadPool::globalInstance();
    const std::size_t cores = static_cast<std::size_t>(std::max(1, pool.maxThreadCount()));
    const std::size_t workers = std::min({cores, count, std::size_t(8)});
    const auto share = [&](std::size_t first) {
        for (std::size_t index = first; index < count; index += workers)
            render(index);
    };
    if (workers <= 1) {
        share(0);
        return;
    }
    std::latch done(static_cast<std::ptrdiff_t>(workers - 1));
    for (std::size_t first = 1; first < workers; ++first) {
        // A pool without a free thread (busy with other work) is not waited
        // for: this thread does that share itself.
        const bool started = pool.tryStart([&share, &done, first] {
            share(first);
            done.count_down();
        });
        if (!started) {
            share(first);
            done.count_down();
        }
    }
    share(0);
    done.wait();
}
