#pragma once
// Checking which run-time error a statement raises.

#include <gtest/gtest.h>

#include "runtime/error.hpp"

namespace testing_support {

// The number of the run-time error `f` raises; 0 when it raises none.
template <typename F>
int errorNumberOf(F&& f) {
    try {
        f();
    } catch (const runtime::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace testing_support

// Expects `statement` to raise run-time error `expected`.
#define EXPECT_RUNTIME_ERROR(statement, expected) \
    EXPECT_EQ(testing_support::errorNumberOf([&] { statement; }), (expected))
