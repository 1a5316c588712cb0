#pragma once

#include <QtGlobal>

#include <chrono>

// Bounds of one update check. Passing any of them fails the check.
struct HttpLimits {
    // The whole check: connecting, a proxy's tunnel, redirects and answers.
    std::chrono::milliseconds timeout{30000};
    qint64 maxBodyBytes = 64 * 1024;
    // Status line and header lines of one answer, a proxy's answer too.
    qint64 maxHeadBytes = 64 * 1024;
    int maxRedirects = 10;
};
