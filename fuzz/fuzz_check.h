// A broken invariant in a fuzz target: say which and where, then abort so
// libFuzzer keeps the input that did it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);     \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
