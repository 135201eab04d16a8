#pragma once

#include "resources/StringTable.h"
#include "store/StoreContext.h"
#include "ui/headless/HeadlessHost.h"

#include <gtest/gtest.h>

namespace mivra::test {

/** A store context for tests of a store's memory alone: its folder does not exist. */
inline StoreContext& MemoryContext() {
    static const StringTable strings = StringTable::Swedish();
    static ui::headless::HeadlessHost host;
    static StoreContext context = [] {
        host.SetFailureHandler([](const std::string& why) { ADD_FAILURE() << why; });
        return StoreContext(strings, host, "/nonexistent/mivra-memory-only");
    }();
    return context;
}

} // namespace mivra::test
