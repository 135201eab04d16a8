#pragma once

#include "store/Records.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

// The congregation package (".c1d"): 384-byte records, record 0 the congregation, each further
// record one brother. Texts are the language's code page, NUL-terminated inside their fields;
// every byte the layout does not name is zero.
namespace mivra::exchange {

inline constexpr size_t kPackageRecordSize = 384;
/** More brother records than this is no package a coordinator writes: refused. */
inline constexpr size_t kMaxPackageBrothers = 20000;
inline constexpr size_t kPackageWeeks = 10;

/** Record 0. Decoded texts are trimmed and cut to what the congregation record holds. */
struct PackageHeader {
    std::string name{};
    std::string address1{};
    std::string address2{};
    std::string phone1{};
    std::string phone2{};
    std::string meetingTimeOdd{};
    std::string meetingTimeEven{};
    std::string circuitName{};

    friend bool operator==(const PackageHeader&, const PackageHeader&) = default;
};

/** Officer bits of a brother's role byte; the low five bits are his home roles. */
enum PackageOfficer : uint8_t {
    kOfficerCoordinator = 0x20,     ///< the congregation record's first officer field
    kOfficerTalkCoordinator = 0x40, ///< its third
    kOfficerSecretary = 0x80,       ///< its second
};
inline constexpr uint8_t kPackageRolesMask = 0x1F;

/** Records 1 … n. Decoded texts are trimmed and cut to what the store holds. */
struct PackageBrother {
    std::string firstName{};
    std::string lastName{};
    std::string address1{};
    std::string address2{};
    std::string phone{};
    std::string phone2{};
    std::string phone3{};
    std::string email{};
    TalkRepertoire talks{};
    uint8_t status = 0;                          ///< the brother record's status byte as stored
    uint8_t roles = 0;                           ///< home roles & 0x1F with the officer bits
    std::array<uint16_t, kPackageWeeks> weeks{}; ///< unavailable weeks; 0 = none

    friend bool operator==(const PackageBrother&, const PackageBrother&) = default;
};

struct Package {
    PackageHeader header{};
    std::vector<PackageBrother> brothers{};

    friend bool operator==(const Package&, const Package&) = default;
};

std::array<uint8_t, kPackageRecordSize> EncodeHeader(const PackageHeader& header, int codePage);
std::array<uint8_t, kPackageRecordSize> EncodeBrother(const PackageBrother& brother, int codePage);
std::vector<uint8_t> EncodePackage(const Package& package, int codePage);

PackageHeader DecodeHeader(std::span<const uint8_t> record, int codePage);
PackageBrother DecodeBrother(std::span<const uint8_t> record, int codePage);

/** Why a file is no package to import. */
enum class PackageError {
    None,
    Unreadable, ///< missing, or it cannot be read
    TooShort,   ///< under one record
    NoName,     ///< the header names no congregation
    TooLarge,   ///< more than kMaxPackageBrothers brother records
};

struct PackageRead {
    PackageError error = PackageError::None;
    Package package{};
};

/** Decodes whole records (a partial last record is ignored); nothing unless error is None. */
PackageRead DecodePackage(std::span<const uint8_t> bytes, int codePage);
/** Reads and decodes a file, never more than the largest package it accepts. */
PackageRead ReadPackage(const std::filesystem::path& path, int codePage);

} // namespace mivra::exchange
