#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The input of fuzz_data_folder: the files of one data folder in a small container. The first
// byte chooses the language and today's date; then entries follow, each a file id byte (taken
// modulo the number of files), a 16-bit little-endian length and that many bytes. Entries of
// the same file are joined, so a file may be longer than one entry; a cut entry keeps the
// bytes that are there.
namespace mivra::fuzz {

inline constexpr std::array<std::string_view, 13> kFolderFiles = {
    "speakers.dat", "xtend.dat",    "cong.dat",    "talk.dat",     "topic.dat",
    "circuit.dat",  "hospital.dat", "history.dat", "blackout.dat", "wishlist.dat",
    "special.dat",  "extend.dat",   "mivraw.ini",
};

struct Folder {
    uint8_t options = 0;
    std::array<std::optional<std::vector<uint8_t>>, kFolderFiles.size()> files;
};

inline Folder SplitFolder(std::span<const uint8_t> in) {
    Folder folder;
    if (in.empty())
        return folder;
    folder.options = in[0];
    size_t at = 1;
    while (at < in.size()) {
        const size_t id = in[at] % kFolderFiles.size();
        size_t length = at + 1 < in.size() ? in[at + 1] : 0;
        if (at + 2 < in.size())
            length |= size_t{in[at + 2]} << 8;
        at = std::min(at + 3, in.size());
        length = std::min(length, in.size() - at);
        auto& file = folder.files[id];
        if (!file)
            file.emplace();
        file->insert(file->end(), in.begin() + static_cast<std::ptrdiff_t>(at),
                     in.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    }
    return folder;
}

inline std::vector<uint8_t> JoinFolder(const Folder& folder) {
    std::vector<uint8_t> out{folder.options};
    for (size_t id = 0; id < kFolderFiles.size(); ++id) {
        if (!folder.files[id])
            continue;
        std::span<const uint8_t> bytes(*folder.files[id]);
        do {
            const size_t piece = std::min<size_t>(bytes.size(), 0xFFFF);
            out.push_back(static_cast<uint8_t>(id));
            out.push_back(static_cast<uint8_t>(piece & 0xFF));
            out.push_back(static_cast<uint8_t>(piece >> 8));
            out.insert(out.end(), bytes.begin(),
                       bytes.begin() + static_cast<std::ptrdiff_t>(piece));
            bytes = bytes.subspan(piece);
        } while (!bytes.empty());
    }
    return out;
}

} // namespace mivra::fuzz
