#include "exchange/Package.h"
#include "support/PackageWriters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using namespace exchange;
using test::Bytes;
using test::PackageBrotherBytes;
using test::PackageHeaderBytes;

constexpr int kCp = 1252;

TEST(PackageCodec, ReadsEveryFieldOfAPackageWrittenByTheLayout) {
    const Bytes file = test::PackageFile({.name = "Östra",
                                          .address1 = "Rikets sal",
                                          .address2 = "Gatan 1",
                                          .phone1 = "08-1",
                                          .phone2 = "08-2",
                                          .timeOdd = "10:00",
                                          .timeEven = "13:30",
                                          .circuit = "Krets Ö"},
                                         {{.first = "Åke",
                                           .last = "Berg",
                                           .address1 = "Väg 2",
                                           .address2 = "123 45 By",
                                           .phone = "070-1",
                                           .phone2 = "070-2",
                                           .phone3 = "070-3",
                                           .email = "ake@example.org",
                                           .talks = {1, 9, 256},
                                           .status = 0x22,
                                           .roles = 0xE6,
                                           .weeks = {1400, 1401}}});
    PackageRead read = DecodePackage(file, kCp);
    ASSERT_EQ(read.error, PackageError::None);
    EXPECT_EQ(read.package.header, (PackageHeader{"Östra", "Rikets sal", "Gatan 1", "08-1", "08-2",
                                                  "10:00", "13:30", "Krets Ö"}));
    ASSERT_EQ(read.package.brothers.size(), 1u);
    const PackageBrother& b = read.package.brothers[0];
    EXPECT_EQ(b.firstName + "|" + b.lastName + "|" + b.address1 + "|" + b.address2 + "|" + b.phone +
                  "|" + b.phone2 + "|" + b.phone3 + "|" + b.email,
              "Åke|Berg|Väg 2|123 45 By|070-1|070-2|070-3|ake@example.org");
    EXPECT_TRUE(b.talks.Has(1) && b.talks.Has(9) && b.talks.Has(256));
    EXPECT_EQ(b.talks.Count(), 3);
    EXPECT_EQ(b.status, 0x22);
    EXPECT_EQ(b.roles, 0xE6);
    EXPECT_EQ(b.weeks[0], 1400);
    EXPECT_EQ(b.weeks[1], 1401);
    EXPECT_EQ(b.weeks[2], 0);
    // And writing it back gives the same bytes.
    EXPECT_EQ(EncodePackage(read.package, kCp), file);
}

TEST(PackageCodec, WideFieldsAreReadWithinTheFieldTrimmedAndCutToTheStore) {
    // A first name filling its 50 bytes runs into the last name's field without a terminator;
    // an e-mail of 48 bytes into the unavailable weeks' neighbour.
    Bytes r = PackageBrotherBytes{.first = std::string(50, 'F'),
                                  .last = std::string(20, 'L'),
                                  .email = "  " + std::string(46, 'e')}
                  .Build();
    Bytes file = test::Concat({PackageHeaderBytes{.name = std::string(70, 'N')}.Build(), r});
    PackageRead read = DecodePackage(file, kCp);
    ASSERT_EQ(read.error, PackageError::None);
    EXPECT_EQ(read.package.header.name, std::string(48, 'N'));
    const PackageBrother& b = read.package.brothers[0];
    EXPECT_EQ(b.firstName, std::string(18, 'F'));
    EXPECT_EQ(b.lastName, std::string(18, 'L'));
    EXPECT_EQ(b.email, std::string(45, 'e'));
    EXPECT_EQ(DecodeBrother(r, kCp).firstName, std::string(18, 'F'));
    // A name cut where a blank stands keeps no trailing blank.
    Bytes padded = PackageBrotherBytes{.first = std::string(17, 'a') + "  b"}.Build();
    EXPECT_EQ(DecodeBrother(padded, kCp).firstName, std::string(17, 'a'));
}

TEST(PackageCodec, EncodingLeavesEveryUnlistedByteZero) {
    PackageBrother b;
    b.firstName = std::string(30, 'x');
    b.lastName = std::string(30, 'y');
    b.address1 = b.address2 = std::string(60, 'a');
    b.phone = b.phone2 = b.phone3 = std::string(20, '1');
    b.email = std::string(60, 'e');
    b.talks.bits.fill(0xFF);
    b.status = 0xFF;
    b.roles = 0xFF;
    b.weeks.fill(0xFFFF);
    const auto record = EncodeBrother(b, kCp);
    for (size_t at = 280; at < 312; ++at)
        EXPECT_EQ(record[at], 0) << at;
    for (size_t at = 314; at < 364; ++at)
        EXPECT_EQ(record[at], 0) << at;
    // Each text ends inside its field: first name 18 of 50, e-mail 45 of 48.
    EXPECT_EQ(record[18], 0);
    EXPECT_EQ(record[68], 0);
    EXPECT_EQ(record[245], 0);
    PackageHeader h{std::string(60, 'n'), std::string(60, 'a'), std::string(60, 'a'),
                    std::string(20, '1'), std::string(20, '1'), std::string(20, 't'),
                    std::string(20, 't'), std::string(40, 'c')};
    const auto head = EncodeHeader(h, kCp);
    for (size_t at = 48; at < 70; ++at)
        EXPECT_EQ(head[at], 0) << at;
    for (size_t at = 184; at < 314; ++at)
        EXPECT_EQ(head[at], 0) << at;
    for (size_t at = 363; at < 384; ++at)
        EXPECT_EQ(head[at], 0) << at;
}

TEST(PackageCodec, RefusesWhatIsNoPackage) {
    const Bytes header = PackageHeaderBytes{.name = "Väst"}.Build();
    EXPECT_EQ(DecodePackage({}, kCp).error, PackageError::TooShort);
    EXPECT_EQ(DecodePackage(Bytes(header.begin(), header.end() - 1), kCp).error,
              PackageError::TooShort);
    EXPECT_EQ(DecodePackage(PackageHeaderBytes{.name = "   "}.Build(), kCp).error,
              PackageError::NoName);
    // A partial last record is ignored.
    Bytes partial = header;
    partial.resize(384 + 383, 'x');
    PackageRead read = DecodePackage(partial, kCp);
    EXPECT_EQ(read.error, PackageError::None);
    EXPECT_TRUE(read.package.brothers.empty());
    // 20,000 brothers are read, one more is refused before anything is decoded.
    Bytes big = header;
    big.resize(384 * (kMaxPackageBrothers + 1), 0);
    EXPECT_EQ(DecodePackage(big, kCp).package.brothers.size(), kMaxPackageBrothers);
    big.resize(384 * (kMaxPackageBrothers + 2), 0);
    EXPECT_EQ(DecodePackage(big, kCp).error, PackageError::TooLarge);

    test::TempDir dir;
    EXPECT_EQ(ReadPackage(dir / "none.c1d", kCp).error, PackageError::Unreadable);
    std::filesystem::create_directory(dir / "folder.c1d");
    EXPECT_EQ(ReadPackage(dir / "folder.c1d", kCp).error, PackageError::Unreadable);
    dir.Write("big.c1d", big);
    EXPECT_EQ(ReadPackage(dir / "big.c1d", kCp).error, PackageError::TooLarge);
    dir.Write("ok.c1d", partial);
    EXPECT_EQ(ReadPackage(dir / "ok.c1d", kCp).package.header.name, "Väst");
}

} // namespace
} // namespace mivra
