#pragma once

#include <QString>
#include <QtGlobal>

#include <chrono>

// Bounds of one update check. Passing any of them fails the check.
struct HttpLimits {
    // The whole check: connecting, a proxy's tunnel, redirects and answers.
    std::chrono::milliseconds timeout{30000};
    qint64 maxBodyBytes = 64 * 1024;
    // Status and header lines of the answers to one request (a redirect
    // makes a new request), a proxy's answers included.
    qint64 maxHeadBytes = 64 * 1024;
    int maxRedirects = 10;
    // A file of certificate authorities to trust instead of the system's;
    // empty (the program's own checks) for the system's. Tests set it.
    QString trustedCaFile{};
};
