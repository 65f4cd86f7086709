// SPDX-License-Identifier: GPL-3.0-or-later
#include "Errors.h"

#include <cstdio>

namespace {
std::function<void(const QString&)>& reporter() {
    static std::function<void(const QString&)> r;
    return r;
}
} // namespace

void SetErrorReporter(std::function<void(const QString&)> r) {
    reporter() = std::move(r);
}

void ReportError(const QString& text) {
    if (reporter())
        reporter()(text);
    else
        std::fprintf(stderr, "%s.\n", qPrintable(text));
}
