#pragma once

#include "ui/headless/HeadlessHost.h"

#include <gtest/gtest.h>

namespace mivra::test {

/** A headless host that fails the running test on an unscripted question or a leftover answer. */
class TestHost : public ui::headless::HeadlessHost {
public:
    TestHost() {
        SetFailureHandler([](const std::string& why) { ADD_FAILURE() << why; });
    }
    ~TestHost() override { Verify(); }
};

} // namespace mivra::test
