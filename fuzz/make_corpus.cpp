// The first inputs of every fuzz target, built from the record builders in tests/support:
//   make_corpus <corpus folder>   → <corpus folder>/<target>/<seed>
#include "FolderContainer.h"
#include "support/PackageWriters.h"
#include "support/RecordWriters.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace mivra {
namespace {

using test::Bytes;
using namespace std::literals;

enum FileId : size_t {
    kSpeakers,
    kExtra,
    kCongregations,
    kTalks,
    kTopics,
    kCircuits,
    kHosts,
    kHistory,
    kAvailability,
    kNeeds,
    kEvents,
    kLegacyExtra,
    kProfile,
};

constexpr uint16_t kBase = 884; // the week window of 2026
constexpr uint16_t kCurrentWeek = 1375;

Bytes Text(std::string_view text) {
    return {text.begin(), text.end()};
}

void Save(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes Talks(int count) {
    Bytes out;
    for (int n = 1; n <= count; ++n) {
        std::string number = n > 230 ? "S-" + std::to_string(n - 200) : std::to_string(n);
        out = test::Concat({out, test::TalkBytes{.title = "Föredrag " + std::to_string(n),
                                                 .number = number,
                                                 .key = static_cast<uint16_t>(n),
                                                 .topics = {static_cast<uint16_t>(n % 10 + 1)}}
                                     .Build()});
    }
    return out;
}

const char* const kProfileText =
    "[Congregation]\r\nNumber=2\r\n\r\n"
    "[Meeting Time Change]\r\nService Year=1\r\n\r\n"
    "[Församling]\r\nAlternativt datumformat=1\r\nHa med högläsare=1\r\nVärd=1\r\n"
    "Vänstermarginal=25\r\n\r\n"
    "[Programformat]\r\nRubrik=\"  Program  \"\r\nLister=4\r\nLister*=255\r\n"
    "Toppmarginal=60\r\nUtelämna OTLK=1\r\n\r\n"
    "[Teckensnitt]\r\nHeight=-16\r\nWeight=400\r\nItalic=0\r\nUnderline=0\r\n"
    "PitchAndFamily=18\r\nFaceName=Times New Roman\r\nCharSet=0\r\nRGB=255\r\n\r\n"
    "[Teckensnitt, Rubrik]\r\nHeight=-900\r\nWeight=5000\r\nFaceName="
    "A face name that is much longer than thirty-one characters\r\n\r\n"
    "[Ring upp OK]\r\nMöjliggjord=1\r\n[AutoCap]\r\nMöjliggjord=0\r\n; a comment\r\n";

fuzz::Folder TypicalFolder(uint8_t options) {
    fuzz::Folder f;
    f.options = options;
    f.files[kSpeakers] = test::SlotFile(
        {{1, test::BrotherBytes{.first = "Per",
                                .last = "Lund",
                                .phone = "08-12345",
                                .talks = {1, 17, 230},
                                .status = 2,
                                .roles = 0x16,
                                .congregation = 2,
                                .key = 1,
                                .extraSlot = 1}
                 .Build()},
         {2,
          test::BrotherBytes{
              .first = "Örjan", .last = "Åberg", .status = 0x21, .congregation = 2, .key = 2}
              .Build()},
         {4,
          test::BrotherBytes{
              .first = "Anna", .last = "de Vries", .congregation = 3, .key = 4, .extraSlot = 3}
              .Build()}});
    f.files[kExtra] = test::ExtraFile(
        {{1, test::ExtraBytes{.owner = 1, .phone2 = "070-1", .email = "per@lund.se"}.Build()},
         {2, test::ExtraBytes{.owner = 9, .remark = "någon annans"}.Build()}});
    f.files[kCongregations] = test::SlotFile(
        {{2, test::CongregationBytes{.name = "Öster",
                                     .timeOdd = "10:00",
                                     .timeEven = "11:00",
                                     .key = 2,
                                     .circuit = 30001,
                                     .coordinator = 1,
                                     .secretary = 2,
                                     .talkCoordinator = 1,
                                     .weekdayOdd = 6,
                                     .weekdayEven = 0}
                 .Build()},
         {3, test::CongregationBytes{.name = "Berga", .key = 3, .circuit = 30002, .weekdayOdd = 9}
                 .Build()}});
    f.files[kTalks] = Talks(12);
    f.files[kTopics] = test::Concat({test::TopicBytes("Familj", 1), test::TopicBytes("Tro", 2)});
    f.files[kCircuits] =
        test::Concat({test::CircuitBytes("Krets A", 30001), test::CircuitBytes("Krets B", 30002)});
    f.files[kHosts] =
        test::Concat({test::HostBytes("Berg", 30001), test::HostBytes("~Dal", 30002)});
    f.files[kHistory] =
        test::Concat({test::WeekBytes{.week = kBase + 1,
                                      .homeSpeaker = 1,
                                      .homeTalk = 17,
                                      .homeCongregation = 2,
                                      .asked = 900,
                                      .chairman = 2,
                                      .host = 30001}
                          .Build(),
                      test::WeekBytes{.week = kCurrentWeek,
                                      .homeSpeaker = 4,
                                      .homeTalk = 230,
                                      .homeCongregation = 3,
                                      .outSpeaker = {1, 2},
                                      .outCongregation = {3, 3},
                                      .outTalk = {5, 6}}
                          .Build(),
                      test::WeekBytes{.week = kCurrentWeek + 1, .flags = 0x13}.Build()});
    f.files[kAvailability] = test::Concat({test::AvailabilityBytes(1, kCurrentWeek),
                                           test::AvailabilityBytes(2, kCurrentWeek + 3, 7),
                                           test::AvailabilityBytes(1, 3)});
    f.files[kNeeds] = test::NeedsBytes({1, 2, 3, 256}, {1}, {3});
    f.files[kEvents] = test::Concat(
        {test::EventBytes{.weekIndex = kCurrentWeek, .flags = 0x12, .name = "Sammankomst"}.Build(),
         test::EventBytes{
             .weekIndex = kCurrentWeek - 10, .flags = 0x04, .name = "KT-besök", .theme = "Tema"}
             .Build()});
    f.files[kProfile] = Text(kProfileText);
    return f;
}

// Records a careless writer leaves behind: cut, repeated, out of order, keys that do not agree.
fuzz::Folder DamagedFolder() {
    fuzz::Folder f = TypicalFolder(0);
    Bytes speakers = test::SlotFile(
        {{0, test::BrotherBytes{.first = "Noll", .key = 7}.Build()},
         {1, test::BrotherBytes{.first = "Per", .last = "Lund", .key = 1, .extraSlot = 40}.Build()},
         {2, test::BrotherBytes{.first = "Bo", .last = "Ek", .key = 1, .extraSlot = 2}.Build()},
         {3, test::BrotherBytes{.first = std::string(25, 'x'), .key = 9}.Build()}});
    speakers.resize(speakers.size() - 100);
    f.files[kSpeakers] = speakers;
    f.files[kExtra] = test::ExtraFile({{2, test::ExtraBytes{.owner = 3}.Build()}});
    f.files[kHistory] =
        test::Concat({test::WeekBytes{.week = kBase + 5, .homeSpeaker = 0xFFFF}.Build(),
                      test::WeekBytes{.week = kBase + 3, .flags = 0}.Build(),
                      test::WeekBytes{.week = kBase + 5, .chairman = 1}.Build(),
                      test::WeekBytes{.week = 65535}.Build(),
                      test::WeekBytes{.week = kBase + 7, .flags = 0}.Build()});
    f.files[kAvailability] = Bytes(13, 0xFF);
    f.files[kLegacyExtra] =
        test::LegacyExtraBytes{.owner = 1, .email = std::string(70, 'e')}.Build();
    f.files[kExtra].reset();
    f.files[kProfile] = Text("[Congregation]\nNumber=99999\n[Programformat\nRubrik=x\r\n\0=\n"sv);
    return f;
}

void WriteFolderSeeds(const std::filesystem::path& root) {
    const std::filesystem::path folder = root / "fuzz_data_folder";
    Save(folder, "empty", {0});
    for (uint8_t options = 0; options < 6; ++options)
        Save(folder, "typical-" + std::to_string(options),
             fuzz::JoinFolder(TypicalFolder(options)));
    fuzz::Folder full = TypicalFolder(6);
    full.files[kTalks] = Talks(256);
    Save(folder, "all-talks", fuzz::JoinFolder(full));
    Save(folder, "damaged", fuzz::JoinFolder(DamagedFolder()));
}

void WriteProfileSeeds(const std::filesystem::path& root) {
    const std::filesystem::path folder = root / "fuzz_profile";
    const std::string entry = "Programformat\\ Rubrik\\ \"Nytt\" värde \\ ";
    Save(folder, "typical", Text(entry + kProfileText + "\x01\x02"));
    Save(folder, "lf", Text(entry + "[Programformat]\nRubrik=a\n[Teckensnitt]\nHeight=0\n"));
    Save(folder, "odd", Text("[x]\\ =\\ \\ \r[a\r\n b = ' c '\r\n[]\r\n=\r\nk==v\rno end"));
}

void WriteDateSeeds(const std::filesystem::path& root) {
    const std::filesystem::path folder = root / "fuzz_dates";
    const char* const texts[] = {"991227", "000103", "000101", "991230", "261231",
                                 "000229", "990101", "001300", "000032", "9a0101"};
    int n = 0;
    for (const char* text : texts) {
        Bytes seed = Text(text);
        for (int i = 0; i < 16; ++i)
            seed.push_back(static_cast<uint8_t>(n * 37 + i * 11));
        Save(folder, "date-" + std::to_string(n++), seed);
    }
}

// The fuzzed bytes are a week file and an event list; the options come from the last bytes.
void WriteScheduleSeeds(const std::filesystem::path& root) {
    const std::filesystem::path folder = root / "fuzz_schedule_export";
    const uint16_t now = kCurrentWeek;
    Bytes weeks = test::Concat(
        {test::WeekBytes{.week = now,
                         .homeSpeaker = 1,
                         .homeTalk = 1,
                         .homeCongregation = 2,
                         .chairman = 2,
                         .reader = 3,
                         .host = 30001,
                         .outSpeaker = {2, 3, 1},
                         .outCongregation = {2, 1, 2},
                         .outTalk = {1, 300, 0}}
             .Build(),
         test::WeekBytes{.week = static_cast<uint16_t>(now + 1), .flags = 0x13}.Build(),
         test::WeekBytes{.week = static_cast<uint16_t>(now + 2), .homeSpeaker = 9, .flags = 0x05}
             .Build(),
         test::WeekBytes{.week = static_cast<uint16_t>(now + 3),
                         .flags = 0x09,
                         .outSpeaker = {1, 2, 3, 1, 2, 3},
                         .outCongregation = {1, 2, 1, 2, 1, 2}}
             .Build()});
    Bytes events = test::Concat(
        {test::EventBytes{.weekIndex = static_cast<uint16_t>(now),
                          .flags = 0x12,
                          .name = "Sammankomst",
                          .theme = std::string(95, 't')}
             .Build(),
         test::EventBytes{.weekIndex = static_cast<uint16_t>(now + 1), .flags = 0x04}.Build()});
    for (int n = 0; n < 4; ++n) {
        Bytes seed = test::Concat({weeks, events});
        for (int i = 0; i < 24; ++i)
            seed.push_back(static_cast<uint8_t>(n * 61 + i * 29));
        Save(folder, "weeks-" + std::to_string(n), seed);
    }
}

// Packages: a typical one, one with fields filled to their last byte, and a cut one.
void WritePackageSeeds(const std::filesystem::path& root) {
    const std::filesystem::path folder = root / "fuzz_package";
    const test::PackageHeaderBytes header{.name = "Östra",
                                          .address1 = "Rikets sal",
                                          .phone1 = "08-1",
                                          .timeOdd = "10:00",
                                          .circuit = "Krets 4"};
    const test::PackageBrotherBytes brother{.first = "Åke",
                                            .last = "Berg",
                                            .phone2 = "070-2",
                                            .email = "ake@example.org",
                                            .talks = {1, 200},
                                            .status = 0x22,
                                            .roles = 0xE2,
                                            .weeks = {kCurrentWeek, uint16_t(kCurrentWeek + 4)}};
    Save(folder, "typical", test::PackageFile(header, {brother, {.first = "Bo", .last = "Ek"}}));
    Save(folder, "full",
         test::PackageFile({.name = std::string(70, 'N'), .circuit = std::string(30, 'C')},
                           {{.first = std::string(50, 'F'),
                             .last = std::string(20, 'L'),
                             .email = std::string(48, 'e')}}));
    Bytes cut = test::PackageFile(header, {brother});
    cut.resize(cut.size() - 7);
    Save(folder, "cut", cut);
}

} // namespace
} // namespace mivra

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus <corpus folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    mivra::WriteFolderSeeds(root);
    mivra::WriteProfileSeeds(root);
    mivra::WriteDateSeeds(root);
    mivra::WriteScheduleSeeds(root);
    mivra::WritePackageSeeds(root);
    return 0;
}
