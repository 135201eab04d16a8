#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Record builders: each builds one record's bytes straight from the byte layout, the way
// another program would write it. They share no code with the program's own encoders, so a
// layout mistake on either side shows up in a test.
namespace mivra::test {

using Bytes = std::vector<uint8_t>;

/** Windows-1252 bytes of a UTF-8 text in the Latin-1 range (enough for Swedish names). */
inline std::string Cp1252(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80 || i + 1 == utf8.size()) {
            out += static_cast<char>(c);
            continue;
        }
        auto next = static_cast<unsigned char>(utf8[++i]);
        out += static_cast<char>(((c & 0x1F) << 6) | (next & 0x3F));
    }
    return out;
}

/** Copies text bytes into a zeroed field; a text as wide as the field gets no terminator. */
inline void PutText(Bytes& rec, size_t at, size_t width, std::string_view utf8) {
    std::string bytes = Cp1252(utf8);
    for (size_t i = 0; i < bytes.size() && i < width; ++i)
        rec[at + i] = static_cast<uint8_t>(bytes[i]);
}

inline void PutU16(Bytes& rec, size_t at, uint16_t v) {
    rec[at] = static_cast<uint8_t>(v & 0xFF);
    rec[at + 1] = static_cast<uint8_t>(v >> 8);
}

/** Sets the bit of each talk 1 … 256 in a 32-byte set at `at`. */
inline void PutTalkSet(Bytes& rec, size_t at, const std::vector<int>& talks) {
    for (int t : talks)
        rec[at + static_cast<size_t>(t - 1) / 8] |= static_cast<uint8_t>(1u << ((t - 1) % 8));
}

/** Single bytes to set after the fields (reserved ranges, stray bits). */
using Pokes = std::vector<std::pair<size_t, uint8_t>>;

inline void Poke(Bytes& rec, const Pokes& pokes) {
    for (const auto& [at, value] : pokes)
        rec[at] = value;
}

/** "speakers.dat" record, 256 bytes. */
struct BrotherBytes {
    std::string first{}, last{}, address1{}, address2{}, phone{};
    std::vector<int> talks{};
    uint8_t status = 0; ///< bits 0–1 appointment, bit 5 suspended
    uint8_t roles = 0;
    uint16_t congregation = 0;
    uint16_t key = 0;
    uint16_t extraSlot = 0;
    Pokes pokes{};

    Bytes Build() const {
        Bytes r(256, 0);
        PutText(r, 0, 20, first);
        PutText(r, 20, 20, last);
        PutText(r, 40, 40, address1);
        PutText(r, 80, 40, address2);
        PutText(r, 120, 16, phone);
        PutTalkSet(r, 136, talks);
        r[200] = status;
        r[201] = roles;
        PutU16(r, 202, congregation);
        PutU16(r, 204, key);
        PutU16(r, 206, extraSlot);
        Poke(r, pokes);
        return r;
    }
};

/** "xtend.dat" record, 128 bytes. */
struct ExtraBytes {
    uint16_t owner = 0;
    std::string phone2{}, phone3{}, email{}, remark{};

    Bytes Build() const {
        Bytes r(128, 0);
        PutU16(r, 0, owner);
        PutText(r, 2, 16, phone2);
        PutText(r, 18, 16, phone3);
        PutText(r, 34, 48, email);
        PutText(r, 82, 46, remark);
        return r;
    }
};

/** "extend.dat" record, 96 bytes. */
struct LegacyExtraBytes {
    uint16_t owner = 0;
    std::string phone2{}, phone3{}, email{};

    Bytes Build() const {
        Bytes r(96, 0);
        PutU16(r, 0, owner);
        PutText(r, 2, 16, phone2);
        PutText(r, 18, 16, phone3);
        PutText(r, 34, 62, email);
        return r;
    }
};

/** "cong.dat" record, 256 bytes; weekdays in the stored coding (0 = Sunday). */
struct CongregationBytes {
    std::string name{}, address1{}, address2{}, phone1{}, phone2{}, timeOdd{}, timeEven{}, map{};
    uint16_t key = 0;
    uint16_t circuit = 0;
    uint16_t coordinator = 0, secretary = 0, talkCoordinator = 0;
    uint8_t weekdayOdd = 0, weekdayEven = 0;
    Pokes pokes{};

    Bytes Build() const {
        Bytes r(256, 0);
        PutText(r, 0, 50, name);
        PutText(r, 50, 41, address1);
        PutText(r, 91, 41, address2);
        PutText(r, 132, 16, phone1);
        PutText(r, 148, 16, phone2);
        PutText(r, 164, 10, timeOdd);
        PutU16(r, 174, key);
        PutU16(r, 178, circuit);
        PutU16(r, 182, coordinator);
        PutU16(r, 184, secretary);
        PutU16(r, 186, talkCoordinator);
        PutText(r, 188, 10, timeEven);
        PutText(r, 198, 28, map);
        r[226] = weekdayOdd;
        r[227] = weekdayEven;
        Poke(r, pokes);
        return r;
    }
};

/** "talk.dat" record, 154 bytes. */
struct TalkBytes {
    std::string title{}, number{};
    uint16_t key = 0;
    std::vector<uint16_t> topics{};

    Bytes Build() const {
        Bytes r(154, 0);
        PutText(r, 0, 93, title);
        PutText(r, 93, 7, number);
        PutU16(r, 100, key);
        for (size_t i = 0; i < topics.size() && i < 26; ++i)
            PutU16(r, 102 + 2 * i, topics[i]);
        return r;
    }
};

/** A name and a key: "topic.dat" (width 46), "circuit.dat" and "hospital.dat" (width 30). */
inline Bytes NamedBytes(size_t nameWidth, std::string_view name, uint16_t key) {
    Bytes r(nameWidth + 2, 0);
    PutText(r, 0, nameWidth, name);
    PutU16(r, nameWidth, key);
    return r;
}
inline Bytes TopicBytes(std::string_view name, uint16_t key) {
    return NamedBytes(46, name, key);
}
inline Bytes CircuitBytes(std::string_view name, uint16_t key) {
    return NamedBytes(30, name, key);
}
inline Bytes HostBytes(std::string_view name, uint16_t key) {
    return NamedBytes(30, name, key);
}

/** "history.dat" record, 64 bytes. */
struct WeekBytes {
    uint16_t week = 0;
    uint16_t homeSpeaker = 0, homeTalk = 0, homeCongregation = 0;
    uint16_t asked = 0, confirmed = 0, reminder = 0;
    uint16_t chairman = 0, reader = 0, host = 0;
    uint16_t flags = 1;
    std::array<uint16_t, 6> outSpeaker{}, outCongregation{}, outTalk{};
    Pokes pokes{};

    Bytes Build() const {
        Bytes r(64, 0);
        PutU16(r, 0, week);
        PutU16(r, 2, homeSpeaker);
        PutU16(r, 4, homeTalk);
        PutU16(r, 6, homeCongregation);
        PutU16(r, 8, asked);
        PutU16(r, 10, confirmed);
        PutU16(r, 12, reminder);
        PutU16(r, 14, chairman);
        PutU16(r, 16, reader);
        PutU16(r, 18, host);
        PutU16(r, 20, flags);
        for (size_t i = 0; i < 6; ++i) {
            PutU16(r, 28 + 2 * i, outSpeaker[i]);
            PutU16(r, 40 + 2 * i, outCongregation[i]);
            PutU16(r, 52 + 2 * i, outTalk[i]);
        }
        Poke(r, pokes);
        return r;
    }
};

/** "blackout.dat" record, 8 bytes. */
inline Bytes AvailabilityBytes(uint16_t brother, uint16_t week, uint32_t reserved = 0) {
    Bytes r(8, 0);
    PutU16(r, 0, brother);
    PutU16(r, 2, week);
    for (size_t i = 0; i < 4; ++i)
        r[4 + i] = static_cast<uint8_t>(reserved >> (8 * i));
    return r;
}

/** "special.dat" record, 144 bytes. */
struct EventBytes {
    uint16_t weekIndex = 0;
    uint16_t flags = 0;
    std::string name{}, theme{};

    Bytes Build() const {
        Bytes r(144, 0);
        PutU16(r, 0, weekIndex);
        PutU16(r, 2, flags);
        PutText(r, 4, 40, name);
        PutText(r, 44, 96, theme);
        return r;
    }
};

/** "wishlist.dat", 96 bytes. */
inline Bytes NeedsBytes(const std::vector<int>& listed, const std::vector<int>& high,
                        const std::vector<int>& low) {
    Bytes r(96, 0);
    PutTalkSet(r, 0, listed);
    PutTalkSet(r, 32, high);
    PutTalkSet(r, 64, low);
    return r;
}

/** Records one after the other. */
inline Bytes Concat(std::initializer_list<Bytes> records) {
    Bytes out;
    for (const Bytes& r : records)
        out.insert(out.end(), r.begin(), r.end());
    return out;
}

/** A slot file ("speakers.dat", "cong.dat"): slot n at n × 256, slot 0 zero, gaps zero. */
inline Bytes SlotFile(std::initializer_list<std::pair<size_t, Bytes>> slots) {
    Bytes out(256, 0);
    for (const auto& [slot, record] : slots) {
        if (out.size() < (slot + 1) * 256)
            out.resize((slot + 1) * 256, 0);
        std::copy(record.begin(), record.end(), out.begin() + static_cast<long>(slot * 256));
    }
    return out;
}

/** "xtend.dat": slot n (from 1) at (n − 1) × 128. */
inline Bytes ExtraFile(std::initializer_list<std::pair<size_t, Bytes>> slots) {
    Bytes out;
    for (const auto& [slot, record] : slots) {
        if (out.size() < slot * 128)
            out.resize(slot * 128, 0);
        std::copy(record.begin(), record.end(), out.begin() + static_cast<long>((slot - 1) * 128));
    }
    return out;
}

inline uint16_t GetU16(const Bytes& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

} // namespace mivra::test
