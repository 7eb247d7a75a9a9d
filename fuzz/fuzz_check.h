// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: say which, and stop so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void()                                                                          \
                 : (std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__,   \
                                 __LINE__),                                                        \
                    std::abort()))
