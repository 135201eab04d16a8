#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace mivra::test {

/**
 * Compares text with the checked-in file tests/<relative>; with MIVRA_UPDATE_GOLDEN=1 in the
 * environment it writes the file instead, for a reviewed regeneration.
 */
inline void ExpectGolden(const std::string& text, const std::string& relative) {
    std::filesystem::path path = std::filesystem::path(MIVRA_TEST_SOURCE_DIR) / relative;
    if (const char* update = std::getenv("MIVRA_UPDATE_GOLDEN"); update && *update == '1') {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "no golden file " << path << " (run with MIVRA_UPDATE_GOLDEN=1)";
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(text, expected.str()) << "differs from " << path;
}

} // namespace mivra::test
