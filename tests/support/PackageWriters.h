#pragma once

#include "support/RecordWriters.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Congregation package records built straight from the byte layout, as another coordinator's
// program would write them; they share no code with the program's own codec.
namespace mivra::test {

/** Record 0, 384 bytes. */
struct PackageHeaderBytes {
    std::string name{}, address1{}, address2{}, phone1{}, phone2{}, timeOdd{}, timeEven{},
        circuit{};
    Pokes pokes{};

    Bytes Build() const {
        Bytes r(384, 0);
        PutText(r, 0, 70, name);
        PutText(r, 70, 41, address1);
        PutText(r, 111, 41, address2);
        PutText(r, 152, 16, phone1);
        PutText(r, 168, 16, phone2);
        PutText(r, 314, 10, timeOdd);
        PutText(r, 324, 10, timeEven);
        PutText(r, 334, 30, circuit);
        Poke(r, pokes);
        return r;
    }
};

/** A brother record, 384 bytes. */
struct PackageBrotherBytes {
    std::string first{}, last{}, address1{}, address2{}, phone{}, phone2{}, phone3{}, email{};
    std::vector<int> talks{};
    uint8_t status = 0;
    uint8_t roles = 0;
    std::vector<uint16_t> weeks{};
    Pokes pokes{};

    Bytes Build() const {
        Bytes r(384, 0);
        PutText(r, 0, 50, first);
        PutText(r, 50, 20, last);
        PutText(r, 70, 41, address1);
        PutText(r, 111, 41, address2);
        PutText(r, 152, 16, phone);
        PutText(r, 168, 16, phone2);
        PutText(r, 184, 16, phone3);
        PutText(r, 200, 48, email);
        PutTalkSet(r, 248, talks);
        r[312] = status;
        r[313] = roles;
        for (size_t i = 0; i < weeks.size() && i < 10; ++i)
            PutU16(r, 364 + 2 * i, weeks[i]);
        Poke(r, pokes);
        return r;
    }
};

/** A package file: the header, then the brothers in order. */
inline Bytes PackageFile(const PackageHeaderBytes& header,
                         const std::vector<PackageBrotherBytes>& brothers) {
    Bytes out = header.Build();
    for (const PackageBrotherBytes& b : brothers) {
        Bytes r = b.Build();
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

} // namespace mivra::test
