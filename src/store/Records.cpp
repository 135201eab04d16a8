#include "store/Records.h"

#include "base/Bytes.h"
#include "base/Text.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <bit>

namespace mivra {
namespace {

using bytes::GetU16;
using bytes::PutU16;

// A short input reads as if zero-filled to the record's size.
template <size_t N>
std::array<uint8_t, N> Padded(std::span<const uint8_t> in) {
    std::array<uint8_t, N> out{};
    std::copy_n(in.begin(), std::min(in.size(), N), out.begin());
    return out;
}

std::string GetText(std::span<const uint8_t> rec, size_t at, size_t width, int codePage) {
    return text::DecodeField(rec.subspan(at, width), codePage);
}

void PutText(std::span<uint8_t> rec, size_t at, size_t width, std::string_view value,
             size_t maxChars, int codePage) {
    text::EncodeField(value, codePage, rec.subspan(at, width), maxChars);
}

constexpr size_t kUnlimited = SIZE_MAX; // width − 1 applies

// Brother record offsets.
constexpr size_t kBrFirst = 0, kBrLast = 20, kBrAddr1 = 40, kBrAddr2 = 80, kBrPhone = 120;
constexpr size_t kBrTalks = 136, kBrStatus = 200, kBrRoles = 201, kBrCong = 202, kBrKey = 204;
constexpr size_t kBrExtra = 206;
constexpr uint8_t kStatusAppointment = 0x03, kStatusSuspended = 0x20;

// Congregation record offsets.
constexpr size_t kCoName = 0, kCoAddr1 = 50, kCoAddr2 = 91, kCoPhone1 = 132, kCoPhone2 = 148;
constexpr size_t kCoTimeOdd = 164, kCoKey = 174, kCoCircuit = 178, kCoCoordinator = 182;
constexpr size_t kCoSecretary = 184, kCoTalkCoordinator = 186, kCoTimeEven = 188, kCoMap = 198;
constexpr size_t kCoDayOdd = 226, kCoDayEven = 227;

uint8_t ClampStoredWeekday(uint8_t stored) {
    return stored >= 7 ? 0 : stored;
}

} // namespace

bool TalkRepertoire::Has(int talk) const {
    if (talk < 1 || talk > kTalks)
        return false;
    return (bits[static_cast<size_t>(talk - 1) / 8] >> ((talk - 1) % 8)) & 1;
}

void TalkRepertoire::Set(int talk, bool on) {
    if (talk < 1 || talk > kTalks)
        return;
    uint8_t& byte = bits[static_cast<size_t>(talk - 1) / 8];
    const auto mask = static_cast<uint8_t>(1u << ((talk - 1) % 8));
    byte = on ? static_cast<uint8_t>(byte | mask) : static_cast<uint8_t>(byte & ~mask);
}

int TalkRepertoire::Count() const {
    int n = 0;
    for (uint8_t b : bits)
        n += std::popcount(b);
    return n;
}

TalkRepertoire TalkRepertoire::Decode(std::span<const uint8_t> in) {
    TalkRepertoire r;
    r.bits = Padded<kSize>(in);
    return r;
}

int HomeWeekday(uint8_t stored) {
    return (stored == 0 || stored >= 7) ? 6 : stored - 1;
}

uint8_t StoredWeekday(int home) {
    return (home >= 0 && home <= 5) ? static_cast<uint8_t>(home + 1) : 0;
}

BrotherRecord BrotherRecord::Decode(std::span<const uint8_t> in, int cp) {
    BrotherRecord r;
    r.raw = Padded<kSize>(in);
    std::span<const uint8_t> b(r.raw);
    r.firstName = GetText(b, kBrFirst, 20, cp);
    r.lastName = GetText(b, kBrLast, 20, cp);
    r.address1 = GetText(b, kBrAddr1, 40, cp);
    r.address2 = GetText(b, kBrAddr2, 40, cp);
    r.phone = GetText(b, kBrPhone, 16, cp);
    r.repertoire = TalkRepertoire::Decode(b.subspan(kBrTalks, TalkRepertoire::kSize));
    r.appointment = b[kBrStatus] & kStatusAppointment;
    r.suspended = (b[kBrStatus] & kStatusSuspended) != 0;
    r.homeRoles = b[kBrRoles];
    r.congregationKey = GetU16(b, kBrCong);
    r.brotherKey = GetU16(b, kBrKey);
    r.extraSlot = GetU16(b, kBrExtra);
    return r;
}

std::array<uint8_t, BrotherRecord::kSize> BrotherRecord::Encode(int cp) const {
    std::array<uint8_t, kSize> out = raw;
    std::span<uint8_t> b(out);
    PutText(b, kBrFirst, 20, firstName, kNameChars, cp);
    PutText(b, kBrLast, 20, lastName, kNameChars, cp);
    PutText(b, kBrAddr1, 40, address1, kAddressChars, cp);
    PutText(b, kBrAddr2, 40, address2, kAddressChars, cp);
    PutText(b, kBrPhone, 16, phone, kPhoneChars, cp);
    std::copy(repertoire.bits.begin(), repertoire.bits.end(), out.begin() + kBrTalks);
    uint8_t status =
        raw[kBrStatus] & static_cast<uint8_t>(~(kStatusAppointment | kStatusSuspended));
    status |= static_cast<uint8_t>(appointment & kStatusAppointment);
    if (suspended)
        status |= kStatusSuspended;
    out[kBrStatus] = status;
    out[kBrRoles] = homeRoles;
    PutU16(b, kBrCong, congregationKey);
    PutU16(b, kBrKey, brotherKey);
    PutU16(b, kBrExtra, extraSlot);
    return out;
}

bool BrotherExtraRecord::IsBlank() const {
    return text::IsBlank(phone2) && text::IsBlank(phone3) && text::IsBlank(email) &&
           text::IsBlank(remark);
}

BrotherExtraRecord BrotherExtraRecord::Decode(std::span<const uint8_t> in, int cp) {
    const auto raw = Padded<kSize>(in);
    std::span<const uint8_t> b(raw);
    BrotherExtraRecord r;
    r.brotherKey = GetU16(b, 0);
    r.phone2 = GetText(b, 2, 16, cp);
    r.phone3 = GetText(b, 18, 16, cp);
    r.email = GetText(b, 34, 48, cp);
    r.remark = GetText(b, 82, 46, cp);
    return r;
}

std::array<uint8_t, BrotherExtraRecord::kSize> BrotherExtraRecord::Encode(int cp) const {
    std::array<uint8_t, kSize> out{};
    std::span<uint8_t> b(out);
    PutU16(b, 0, brotherKey);
    PutText(b, 2, 16, phone2, kPhoneChars, cp);
    PutText(b, 18, 16, phone3, kPhoneChars, cp);
    PutText(b, 34, 48, email, kEmailChars, cp);
    PutText(b, 82, 46, remark, kRemarkChars, cp);
    return out;
}

LegacyBrotherExtraRecord LegacyBrotherExtraRecord::Decode(std::span<const uint8_t> in, int cp) {
    const auto raw = Padded<kSize>(in);
    std::span<const uint8_t> b(raw);
    LegacyBrotherExtraRecord r;
    r.brotherKey = GetU16(b, 0);
    r.phone2 = GetText(b, 2, 16, cp);
    r.phone3 = GetText(b, 18, 16, cp);
    r.email = GetText(b, 34, 62, cp);
    return r;
}

std::array<uint8_t, LegacyBrotherExtraRecord::kSize>
LegacyBrotherExtraRecord::Encode(int cp) const {
    std::array<uint8_t, kSize> out{};
    std::span<uint8_t> b(out);
    PutU16(b, 0, brotherKey);
    PutText(b, 2, 16, phone2, kUnlimited, cp);
    PutText(b, 18, 16, phone3, kUnlimited, cp);
    PutText(b, 34, 62, email, kUnlimited, cp);
    return out;
}

std::array<uint8_t, BrotherExtraRecord::kSize> ConvertLegacyExtra(std::span<const uint8_t> in) {
    const auto legacy = Padded<LegacyBrotherExtraRecord::kSize>(in);
    std::array<uint8_t, BrotherExtraRecord::kSize> out{};
    // Key and telephones have the same places and widths in both layouts.
    std::copy_n(legacy.begin(), 34, out.begin());
    // The code pages are single-byte, so a character is a byte.
    auto email = std::span<const uint8_t>(legacy).subspan(34, 62);
    size_t length = static_cast<size_t>(std::find(email.begin(), email.end(), 0) - email.begin());
    length = std::min(length, BrotherExtraRecord::kEmailChars);
    std::copy_n(email.begin(), length, out.begin() + 34);
    return out;
}

CongregationRecord CongregationRecord::Decode(std::span<const uint8_t> in, int cp) {
    CongregationRecord r;
    r.raw = Padded<kSize>(in);
    std::span<const uint8_t> b(r.raw);
    r.name = GetText(b, kCoName, 50, cp);
    r.address1 = GetText(b, kCoAddr1, 41, cp);
    r.address2 = GetText(b, kCoAddr2, 41, cp);
    r.phone1 = GetText(b, kCoPhone1, 16, cp);
    r.phone2 = GetText(b, kCoPhone2, 16, cp);
    r.meetingTimeOdd = GetText(b, kCoTimeOdd, 10, cp);
    r.congregationKey = GetU16(b, kCoKey);
    r.circuitId = GetU16(b, kCoCircuit);
    r.coordinatorKey = GetU16(b, kCoCoordinator);
    r.secretaryKey = GetU16(b, kCoSecretary);
    r.talkCoordinatorKey = GetU16(b, kCoTalkCoordinator);
    r.meetingTimeEven = GetText(b, kCoTimeEven, 10, cp);
    r.mapFile = GetText(b, kCoMap, 28, cp);
    r.weekdayOdd = ClampStoredWeekday(b[kCoDayOdd]);
    r.weekdayEven = ClampStoredWeekday(b[kCoDayEven]);
    return r;
}

std::array<uint8_t, CongregationRecord::kSize> CongregationRecord::Encode(int cp) const {
    std::array<uint8_t, kSize> out = raw;
    std::span<uint8_t> b(out);
    PutText(b, kCoName, 50, name, kNameChars, cp);
    PutText(b, kCoAddr1, 41, address1, kAddressChars, cp);
    PutText(b, kCoAddr2, 41, address2, kAddressChars, cp);
    PutText(b, kCoPhone1, 16, phone1, kPhoneChars, cp);
    PutText(b, kCoPhone2, 16, phone2, kPhoneChars, cp);
    PutText(b, kCoTimeOdd, 10, meetingTimeOdd, kTimeChars, cp);
    PutU16(b, kCoKey, congregationKey);
    PutU16(b, kCoCircuit, circuitId);
    PutU16(b, kCoCoordinator, coordinatorKey);
    PutU16(b, kCoSecretary, secretaryKey);
    PutU16(b, kCoTalkCoordinator, talkCoordinatorKey);
    PutText(b, kCoTimeEven, 10, meetingTimeEven, kTimeChars, cp);
    PutText(b, kCoMap, 28, mapFile, kMapChars, cp);
    out[kCoDayOdd] = ClampStoredWeekday(weekdayOdd);
    out[kCoDayEven] = ClampStoredWeekday(weekdayEven);
    return out;
}

TalkRecord TalkRecord::Decode(std::span<const uint8_t> in, int cp) {
    const auto raw = Padded<kSize>(in);
    std::span<const uint8_t> b(raw);
    TalkRecord r;
    r.title = GetText(b, 0, 93, cp);
    r.numberText = GetText(b, 93, 7, cp);
    r.talkKey = GetU16(b, 100);
    for (size_t i = 0; i < kTopics; ++i)
        r.topics[i] = GetU16(b, 102 + 2 * i);
    return r;
}

std::array<uint8_t, TalkRecord::kSize> TalkRecord::Encode(int cp) const {
    std::array<uint8_t, kSize> out{};
    std::span<uint8_t> b(out);
    PutText(b, 0, 93, title, kUnlimited, cp);
    PutText(b, 93, 7, numberText, kUnlimited, cp);
    PutU16(b, 100, talkKey);
    for (size_t i = 0; i < kTopics; ++i)
        PutU16(b, 102 + 2 * i, topics[i]);
    return out;
}

template <size_t Size>
KeyedNameRecord<Size> KeyedNameRecord<Size>::Decode(std::span<const uint8_t> in, int cp) {
    const auto raw = Padded<kSize>(in);
    return {GetText(raw, 0, kNameWidth, cp), GetU16(raw, kNameWidth)};
}

template <size_t Size>
std::array<uint8_t, KeyedNameRecord<Size>::kSize> KeyedNameRecord<Size>::Encode(int cp) const {
    std::array<uint8_t, kSize> out{};
    PutText(out, 0, kNameWidth, name, kUnlimited, cp);
    PutU16(out, kNameWidth, key);
    return out;
}

template struct KeyedNameRecord<TopicRecord::kSize>;
template struct KeyedNameRecord<CircuitRecord::kSize>;

namespace {

// Each talk 1 … 162 appears once; row i lists the talks of topic i + 1, padded with 0.
constexpr int kTopicTalks[10][27] = {
    {4, 26, 54, 80, 88, 99, 100, 101, 114, 124, 133, 137, 139, 145, 150},
    {7, 10, 12, 14, 15, 48, 68, 69, 72, 76, 77, 78, 103, 112, 144, 148, 157},
    {17, 63, 65, 66, 81},
    {1, 9, 16, 18, 22, 31, 39, 46, 67, 70, 71, 74, 87, 142, 147, 149, 151, 158, 159},
    {5, 13, 27, 28, 29, 30, 104, 110, 113, 118, 146},
    {19, 21, 23, 24, 35,  37,  42,  44,  47,  49,  60,  61,  62,
     75, 85, 90, 91, 109, 111, 120, 122, 130, 132, 140, 154, 162},
    {2, 6, 20, 34, 38, 40, 41, 84, 93, 102, 106, 108, 121, 152, 153, 156},
    {3,  8,  36, 43,  45,  52,  55,  56,  58,  82,  83,  86,  89, 92,
     94, 95, 96, 125, 126, 127, 128, 129, 134, 135, 136, 155, 161},
    {32, 50, 57, 73, 105, 117, 141, 143},
    {11, 25, 33, 51, 53, 59, 64, 79, 97, 98, 107, 115, 116, 119, 123, 131, 138, 160},
};

} // namespace

int DefaultTopicOfTalk(int talk) {
    if (talk <= 0)
        return 0;
    for (int topic = 0; topic < 10; ++topic)
        for (int t : kTopicTalks[topic])
            if (t == talk)
                return topic + 1;
    return 0;
}

TalkRecord DefaultTalk(int talk, const StringTable& strings) {
    TalkRecord r;
    r.talkKey = static_cast<uint16_t>(talk);
    r.title = strings.Get(400 + talk);
    if (talk <= 230) {
        r.numberText = std::to_string(talk);
        r.topics[0] = static_cast<uint16_t>(DefaultTopicOfTalk(talk));
    } else {
        r.numberText = "S-" + std::to_string(talk - 200);
    }
    return r;
}

TopicRecord DefaultTopic(int topic, const StringTable& strings) {
    return {strings.Get(700 + topic), static_cast<uint16_t>(topic)};
}

void BrotherIndexEntry::Fill(const BrotherRecord& r, uint16_t recordSlot) {
    firstName = r.firstName;
    lastName = r.lastName;
    repertoire = r.repertoire;
    brotherKey = r.brotherKey;
    congregationKey = r.congregationKey;
    slot = recordSlot;
    extraSlot = r.extraSlot;
    flags = static_cast<uint8_t>(flags & ~(kAppointmentMask | kSuspendedFlag));
    flags |= static_cast<uint8_t>((r.appointment & 3) << 3);
    if (r.suspended)
        flags |= kSuspendedFlag;
}

void CongregationIndexEntry::Fill(const CongregationRecord& r, uint16_t recordSlot) {
    name = r.name;
    congregationKey = r.congregationKey;
    circuitId = r.circuitId;
    coordinatorKey = r.coordinatorKey;
    talkCoordinatorKey = r.talkCoordinatorKey;
    secretaryKey = r.secretaryKey;
    slot = recordSlot;
    meetingTimeOdd = r.meetingTimeOdd;
    meetingTimeEven = r.meetingTimeEven;
    weekdayOdd = r.weekdayOdd;
    weekdayEven = r.weekdayEven;
}

} // namespace mivra
