#include "exchange/PackageExport.h"

#include "base/FileIo.h"
#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <algorithm>
#include <map>
#include <vector>

namespace mivra::exchange {
namespace {

constexpr int kHomeExported = 61000;     // "Information om församlingen har exporterats …"
constexpr int kHomeExportedSend = 61001; // "Du kan skicka filen "%1" …"
constexpr int kOtherExported = 61002;    // "Uppgifter om %1församlingen har exporterats …"
constexpr int kUnreadable = 61003;       // "Uppgifterna om %1 kunde inte läsas …"
constexpr const char* kFallbackName = "församling";

PackageHeader HeaderOf(const CMvDoc& doc, const CongregationRecord& c) {
    return {c.name,   c.address1,       c.address2,        c.phone1,
            c.phone2, c.meetingTimeOdd, c.meetingTimeEven, doc.Circuits().NameByKey(c.circuitId)};
}

uint8_t OfficerBits(const CongregationRecord& c, uint16_t brotherKey) {
    uint8_t bits = 0;
    if (c.coordinatorKey == brotherKey)
        bits |= kOfficerCoordinator;
    if (c.talkCoordinatorKey == brotherKey)
        bits |= kOfficerTalkCoordinator;
    if (c.secretaryKey == brotherKey)
        bits |= kOfficerSecretary;
    return bits;
}

/** Each brother's unavailable weeks from the current week on, earliest first. */
std::map<uint16_t, std::vector<uint16_t>> WeeksFromNow(const CMvDoc& doc) {
    std::map<uint16_t, std::vector<uint16_t>> weeks;
    for (const AvailabilityRecord& r : doc.Availability().Records())
        if (!r.Empty() && r.weekNumber >= doc.CurrentWeek())
            weeks[r.brotherKey].push_back(r.weekNumber);
    for (auto& [key, list] : weeks) {
        std::ranges::sort(list);
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    return weeks;
}

/** His package record, or nothing when the rules leave him out. */
std::optional<PackageBrother> BrotherOf(const CMvDoc& doc, int index, const CongregationRecord& c,
                                        bool home) {
    BrotherRecord record;
    if (doc.Brothers().ReadBrother(index, record) == 0)
        return std::nullopt;
    const uint8_t officer = OfficerBits(c, record.brotherKey);
    const bool sentOut = (record.homeRoles & kRoleOutgoingSpeaker) && !record.suspended;
    if (!officer && record.repertoire.Empty())
        return std::nullopt;
    if (home && !sentOut && !officer)
        return std::nullopt;
    PackageBrother b;
    b.firstName = record.firstName;
    b.lastName = record.lastName;
    b.address1 = record.address1;
    b.address2 = record.address2;
    b.phone = record.phone;
    BrotherExtraRecord extra;
    if (doc.Brothers().ReadBrotherExtra(record.extraSlot, record.brotherKey, extra)) {
        b.phone2 = extra.phone2;
        b.phone3 = extra.phone3;
        b.email = extra.email;
    }
    if (!home || sentOut)
        b.talks = record.repertoire;
    b.status = record.Encode(doc.CodePage())[200];
    b.roles = static_cast<uint8_t>((record.homeRoles & kPackageRolesMask) | officer);
    return b;
}

} // namespace

std::optional<Package> BuildPackage(const CMvDoc& doc, uint16_t congregationKey) {
    const int found = doc.Congregations().FindCongregationByKey(congregationKey);
    CongregationRecord c;
    if (found == 0 || doc.Congregations().ReadCongregation(found - 1, c) == 0)
        return std::nullopt;
    const bool home = congregationKey == doc.Congregations().OurCongregationKey();
    Package package;
    package.header = HeaderOf(doc, c);
    const auto weeks = WeeksFromNow(doc);
    const auto& brothers = doc.Brothers().Items();
    for (int i = 0; i < static_cast<int>(brothers.size()); ++i) {
        if (brothers[static_cast<size_t>(i)].congregationKey != congregationKey)
            continue;
        std::optional<PackageBrother> b = BrotherOf(doc, i, c, home);
        if (!b)
            continue;
        if (auto it = weeks.find(brothers[static_cast<size_t>(i)].brotherKey); it != weeks.end())
            std::copy_n(it->second.begin(), std::min(it->second.size(), kPackageWeeks),
                        b->weeks.begin());
        package.brothers.push_back(std::move(*b));
    }
    return package;
}

std::string PackageFileName(std::string_view congregationName) {
    std::string name;
    for (unsigned char c : congregationName) {
        const bool unsafe =
            c < 0x20 || c == 0x7F ||
            std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
        name += unsafe ? '_' : static_cast<char>(c);
    }
    name.erase(0, name.find_first_not_of('.'));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return (name.empty() ? std::string(kFallbackName) : name) + ".c1d";
}

std::optional<ExportOutcome> WritePackage(const CMvDoc& doc, uint16_t congregationKey,
                                          const std::optional<std::filesystem::path>& out,
                                          ExportFailure* failure) {
    ExportFailure ignored;
    ExportFailure& why = failure ? *failure : ignored;
    const std::optional<Package> package = BuildPackage(doc, congregationKey);
    if (!package) {
        why.noCongregation = true;
        return std::nullopt;
    }
    ExportOutcome outcome;
    outcome.path = out ? std::filesystem::absolute(*out)
                       : doc.DataFolder() / PackageFileName(package->header.name);
    outcome.brothers = static_cast<int>(package->brothers.size());
    if (Status written = io::SaveFile(outcome.path, EncodePackage(*package, doc.CodePage()));
        !written.ok()) {
        why.error = written.error();
        return std::nullopt;
    }
    return outcome;
}

bool ExportPackage(CMvDoc& doc, ui::Host& host, uint16_t congregationKey) {
    ExportFailure failure;
    const std::optional<ExportOutcome> done =
        WritePackage(doc, congregationKey, std::nullopt, &failure);
    const StringTable& strings = doc.Strings();
    ui::MessageBox box;
    if (!done) {
        box.icon = ui::Icon::Warning;
        box.text =
            failure.noCongregation
                ? strings.Format(kUnreadable,
                                 doc.Congregations().CongregationNameByKey(congregationKey, false))
                : strings.Format(1231, failure.error.path.string());
        host.ShowMessage(box);
        return false;
    }
    const std::string file = done->path.filename().string();
    if (congregationKey == doc.Congregations().OurCongregationKey())
        box.text = strings.Format(kHomeExported, file) + strings.Format(kHomeExportedSend, file);
    else
        box.text =
            strings.Format(kOtherExported,
                           doc.Congregations().CongregationNameByKey(congregationKey, false), file);
    host.ShowMessage(box);
    return true;
}

bool ExportHomePackage(CMvDoc& doc, ui::Host& host) {
    return ExportPackage(doc, host, doc.Congregations().OurCongregationKey());
}

} // namespace mivra::exchange
