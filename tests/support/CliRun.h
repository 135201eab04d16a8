#pragma once

#include "app/cli/CommandLine.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace mivra::test {

/** What a mivra-cli run gave back. */
struct CliOutcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/** Runs mivra-cli in this process on `folder`, on the fixtures' day, with the words given. */
inline CliOutcome RunCli(const std::filesystem::path& folder, const std::vector<std::string>& words,
                         const cli::PdfRenderer& pdf = {}) {
    std::vector<std::string> args{"--data", folder.string(), "--today", "2026-03-04"};
    args.insert(args.end(), words.begin(), words.end());
    std::ostringstream out, err;
    const int code = cli::Run(args, out, err, pdf);
    return {code, out.str(), err.str()};
}

/** As above, the command split at blanks. */
inline CliOutcome RunCli(const std::filesystem::path& folder, const std::string& command,
                         const cli::PdfRenderer& pdf = {}) {
    std::vector<std::string> words;
    std::istringstream split(command);
    for (std::string word; split >> word;)
        words.push_back(word);
    return RunCli(folder, words, pdf);
}

} // namespace mivra::test
