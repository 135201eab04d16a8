#include "exchange/Package.h"

#include "base/Bytes.h"
#include "base/FileIo.h"
#include "base/Text.h"

#include <algorithm>

namespace mivra::exchange {
namespace {

/** A text field of the layout: where, how wide, and how many characters the store keeps. */
struct Field {
    size_t at;
    size_t width;
    size_t chars;
};

namespace header {
constexpr Field kName{0, 70, CongregationRecord::kNameChars};
constexpr Field kAddress1{70, 41, CongregationRecord::kAddressChars};
constexpr Field kAddress2{111, 41, CongregationRecord::kAddressChars};
constexpr Field kPhone1{152, 16, CongregationRecord::kPhoneChars};
constexpr Field kPhone2{168, 16, CongregationRecord::kPhoneChars};
constexpr Field kTimeOdd{314, 10, CongregationRecord::kTimeChars};
constexpr Field kTimeEven{324, 10, CongregationRecord::kTimeChars};
constexpr Field kCircuit{334, 30, CircuitRecord::kNameWidth - 1};
} // namespace header

namespace brother {
constexpr Field kFirst{0, 50, BrotherRecord::kNameChars};
constexpr Field kLast{50, 20, BrotherRecord::kNameChars};
constexpr Field kAddress1{70, 41, BrotherRecord::kAddressChars};
constexpr Field kAddress2{111, 41, BrotherRecord::kAddressChars};
constexpr Field kPhone{152, 16, BrotherRecord::kPhoneChars};
constexpr Field kPhone2{168, 16, BrotherExtraRecord::kPhoneChars};
constexpr Field kPhone3{184, 16, BrotherExtraRecord::kPhoneChars};
constexpr Field kEmail{200, 48, BrotherExtraRecord::kEmailChars};
constexpr size_t kTalks = 248;
constexpr size_t kStatus = 312;
constexpr size_t kRoles = 313;
constexpr size_t kWeeks = 364;
} // namespace brother

// Read within the field, then trimmed and cut to the store's limit, so a name matches the
// same name stored earlier, however wide the sender's field was.
std::string Get(std::span<const uint8_t> record, Field f, int codePage) {
    std::string decoded = text::DecodeField(record.subspan(f.at, f.width), codePage);
    std::string_view cut = text::LeftChars(text::Trim(decoded), f.chars);
    return std::string(text::Trim(cut));
}

void Put(std::span<uint8_t> record, Field f, std::string_view value, int codePage) {
    text::EncodeField(value, codePage, record.subspan(f.at, f.width), f.chars);
}

} // namespace

std::array<uint8_t, kPackageRecordSize> EncodeHeader(const PackageHeader& h, int cp) {
    std::array<uint8_t, kPackageRecordSize> out{};
    Put(out, header::kName, h.name, cp);
    Put(out, header::kAddress1, h.address1, cp);
    Put(out, header::kAddress2, h.address2, cp);
    Put(out, header::kPhone1, h.phone1, cp);
    Put(out, header::kPhone2, h.phone2, cp);
    Put(out, header::kTimeOdd, h.meetingTimeOdd, cp);
    Put(out, header::kTimeEven, h.meetingTimeEven, cp);
    Put(out, header::kCircuit, h.circuitName, cp);
    return out;
}

std::array<uint8_t, kPackageRecordSize> EncodeBrother(const PackageBrother& b, int cp) {
    std::array<uint8_t, kPackageRecordSize> out{};
    Put(out, brother::kFirst, b.firstName, cp);
    Put(out, brother::kLast, b.lastName, cp);
    Put(out, brother::kAddress1, b.address1, cp);
    Put(out, brother::kAddress2, b.address2, cp);
    Put(out, brother::kPhone, b.phone, cp);
    Put(out, brother::kPhone2, b.phone2, cp);
    Put(out, brother::kPhone3, b.phone3, cp);
    Put(out, brother::kEmail, b.email, cp);
    std::copy(b.talks.bits.begin(), b.talks.bits.end(), out.begin() + brother::kTalks);
    out[brother::kStatus] = b.status;
    out[brother::kRoles] = b.roles;
    for (size_t i = 0; i < kPackageWeeks; ++i)
        bytes::PutU16(out, brother::kWeeks + 2 * i, b.weeks[i]);
    return out;
}

std::vector<uint8_t> EncodePackage(const Package& package, int cp) {
    std::vector<uint8_t> out;
    out.reserve((package.brothers.size() + 1) * kPackageRecordSize);
    const auto head = EncodeHeader(package.header, cp);
    out.insert(out.end(), head.begin(), head.end());
    for (const PackageBrother& b : package.brothers) {
        const auto record = EncodeBrother(b, cp);
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

PackageHeader DecodeHeader(std::span<const uint8_t> r, int cp) {
    return {Get(r, header::kName, cp),     Get(r, header::kAddress1, cp),
            Get(r, header::kAddress2, cp), Get(r, header::kPhone1, cp),
            Get(r, header::kPhone2, cp),   Get(r, header::kTimeOdd, cp),
            Get(r, header::kTimeEven, cp), Get(r, header::kCircuit, cp)};
}

PackageBrother DecodeBrother(std::span<const uint8_t> r, int cp) {
    PackageBrother b;
    b.firstName = Get(r, brother::kFirst, cp);
    b.lastName = Get(r, brother::kLast, cp);
    b.address1 = Get(r, brother::kAddress1, cp);
    b.address2 = Get(r, brother::kAddress2, cp);
    b.phone = Get(r, brother::kPhone, cp);
    b.phone2 = Get(r, brother::kPhone2, cp);
    b.phone3 = Get(r, brother::kPhone3, cp);
    b.email = Get(r, brother::kEmail, cp);
    b.talks = TalkRepertoire::Decode(r.subspan(brother::kTalks, TalkRepertoire::kSize));
    b.status = r[brother::kStatus];
    b.roles = r[brother::kRoles];
    for (size_t i = 0; i < kPackageWeeks; ++i)
        b.weeks[i] = bytes::GetU16(r, brother::kWeeks + 2 * i);
    return b;
}

PackageRead DecodePackage(std::span<const uint8_t> bytes, int cp) {
    const size_t records = bytes.size() / kPackageRecordSize;
    if (records == 0)
        return {PackageError::TooShort, {}};
    if (records - 1 > kMaxPackageBrothers)
        return {PackageError::TooLarge, {}};
    PackageRead read;
    read.package.header = DecodeHeader(bytes.first(kPackageRecordSize), cp);
    if (read.package.header.name.empty())
        return {PackageError::NoName, {}};
    read.package.brothers.reserve(records - 1);
    for (size_t i = 1; i < records; ++i)
        read.package.brothers.push_back(
            DecodeBrother(bytes.subspan(i * kPackageRecordSize, kPackageRecordSize), cp));
    return read;
}

PackageRead ReadPackage(const std::filesystem::path& path, int cp) {
    // One record past the largest package: enough to tell that a file is too large.
    constexpr uint64_t kReadCap = (kMaxPackageBrothers + 2) * kPackageRecordSize;
    io::FileBytes file = io::ReadFile(path, kReadCap);
    if (file.state != io::ReadState::Ok)
        return {PackageError::Unreadable, {}};
    if (file.fileSize / kPackageRecordSize > kMaxPackageBrothers + 1)
        return {PackageError::TooLarge, {}};
    return DecodePackage(file.bytes, cp);
}

} // namespace mivra::exchange
