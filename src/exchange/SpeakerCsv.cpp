#include "exchange/SpeakerCsv.h"

#include "base/FileIo.h"
#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <unordered_map>

namespace mivra::exchange {
namespace {

constexpr int kWindows1252 = 1252;

bool IsUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int more = 0;
        uint32_t min = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            more = 1, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, min = 0x10000;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(more) >= s.size())
            return false;
        uint32_t cp = c & (0x3F >> more);
        for (int k = 1; k <= more; ++k) {
            const auto n = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((n & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (n & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

/** The delimiter the header line holds more often outside quotes; "," on a tie. */
char HeaderDelimiter(std::string_view s) {
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : s) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '\n')
            break;
        else if (!quoted)
            commas += c == ',', semicolons += c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

/** Reads records of RFC 4180 text; an unterminated quote rejects its record and reading goes
 *  on after the line break that follows its start. */
class Reader {
public:
    Reader(std::string_view text, char delimiter) : m_s(text), m_delimiter(delimiter) {}

    bool Next(CsvLine& out) {
        if (m_pos >= m_s.size())
            return false;
        out = {};
        out.number = m_line;
        const size_t start = m_pos;
        const int startLine = m_line;
        std::string cell;
        bool quoted = false, started = false;
        size_t i = m_pos;
        for (;;) {
            if (i >= m_s.size()) {
                if (quoted) {
                    out.cells.clear();
                    out.unterminatedQuote = true;
                    const size_t lf = m_s.find('\n', start);
                    m_pos = lf == std::string_view::npos ? m_s.size() : lf + 1;
                    m_line = startLine + 1;
                    return true;
                }
                out.cells.push_back(std::move(cell));
                m_pos = i;
                return true;
            }
            const char c = m_s[i];
            if (c == '\r' && i + 1 < m_s.size() && m_s[i + 1] == '\n') {
                ++i;
                continue;
            }
            if (quoted) {
                if (c == '"' && i + 1 < m_s.size() && m_s[i + 1] == '"') {
                    cell += '"';
                    i += 2;
                    continue;
                }
                if (c == '"')
                    quoted = false;
                else
                    cell += c;
                m_line += c == '\n';
                ++i;
                continue;
            }
            if (c == '"' && !started) {
                quoted = started = true;
            } else if (c == m_delimiter) {
                out.cells.push_back(std::move(cell));
                cell.clear();
                started = false;
            } else if (c == '\n') {
                out.cells.push_back(std::move(cell));
                m_pos = i + 1;
                ++m_line;
                return true;
            } else {
                cell += c;
                started = true;
            }
            ++i;
        }
    }

private:
    std::string_view m_s;
    char m_delimiter;
    size_t m_pos = 0;
    int m_line = 1;
};

int ColumnOf(std::string_view name) {
    static const std::pair<const char*, CsvColumn> names[] = {
        {"förnamn", CsvColumn::FirstName},
        {"first name", CsvColumn::FirstName},
        {"efternamn", CsvColumn::LastName},
        {"last name", CsvColumn::LastName},
        {"församling", CsvColumn::Congregation},
        {"congregation", CsvColumn::Congregation},
        {"telefon", CsvColumn::Phone},
        {"phone", CsvColumn::Phone},
        {"telefon 2", CsvColumn::Phone2},
        {"phone 2", CsvColumn::Phone2},
        {"telefon 3", CsvColumn::Phone3},
        {"phone 3", CsvColumn::Phone3},
        {"e-post", CsvColumn::Email},
        {"email", CsvColumn::Email},
        {"tal", CsvColumn::Talks},
        {"talks", CsvColumn::Talks}};
    const std::string folded = text::FoldCase(text::Trim(name));
    for (const auto& [n, column] : names)
        if (folded == n)
            return static_cast<int>(column);
    return -1;
}

bool IsBlankLine(const CsvLine& line) {
    return !line.unterminatedQuote &&
           std::ranges::all_of(line.cells, [](const std::string& c) { return text::IsBlank(c); });
}

} // namespace

SpeakerCsv ReadSpeakerCsv(const std::filesystem::path& path) {
    const io::FileBytes file = io::ReadFile(path, kMaxSpeakerCsvBytes + 1);
    SpeakerCsv csv;
    if (file.state != io::ReadState::Ok)
        csv.error = CsvError::Unreadable;
    else if (file.fileSize > kMaxSpeakerCsvBytes)
        csv.error = CsvError::TooLarge;
    else
        return ParseSpeakerCsv(
            std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    return csv;
}

SpeakerCsv ParseSpeakerCsv(std::string_view bytes) {
    SpeakerCsv csv;
    if (bytes.size() > kMaxSpeakerCsvBytes ||
        std::ranges::count(bytes, '\n') + (bytes.empty() || bytes.back() == '\n' ? 0 : 1) >
            kMaxSpeakerCsvLines) {
        csv.error = CsvError::TooLarge;
        return csv;
    }
    std::string text;
    csv.utf8 = IsUtf8(bytes);
    if (csv.utf8) {
        if (bytes.starts_with("\xEF\xBB\xBF"))
            bytes.remove_prefix(3);
        text = bytes;
    } else {
        text = text::FromCodePage(bytes, kWindows1252);
    }
    csv.delimiter = HeaderDelimiter(text);
    Reader reader(text, csv.delimiter);
    CsvLine header;
    if (!reader.Next(header) || header.unterminatedQuote || IsBlankLine(header)) {
        csv.error = CsvError::NoHeader;
        return csv;
    }
    for (std::string& name : header.cells) {
        const int column = ColumnOf(name);
        csv.columns.push_back(column);
        if (column < 0 && !text::IsBlank(name))
            csv.unknownColumns.emplace_back(text::Trim(name));
        csv.header.push_back(std::move(name));
    }
    auto has = [&](CsvColumn c) {
        return std::ranges::find(csv.columns, static_cast<int>(c)) != csv.columns.end();
    };
    if (!has(CsvColumn::LastName) || !has(CsvColumn::Congregation)) {
        csv.error = CsvError::NoRequiredColumn;
        return csv;
    }
    for (CsvLine line; reader.Next(line);)
        if (!IsBlankLine(line))
            csv.lines.push_back(std::move(line));
    return csv;
}

int SpeakerImportPlan::Count(LineAction action) const {
    return static_cast<int>(
        std::ranges::count_if(lines, [&](const SpeakerLinePlan& l) { return l.action == action; }));
}

namespace {

/** Plans lines against the document, its names and talks gathered once. */
class SpeakerPlanner {
public:
    SpeakerPlanner(const CMvDoc& doc, const SpeakerCsv& csv)
        : m_doc(doc), m_csv(csv), m_matcher(doc) {
        const auto& congregations = doc.Congregations().Items();
        for (size_t i = 0; i < congregations.size(); ++i)
            m_congregations.emplace(CongregationKey(congregations[i].name), static_cast<int>(i));
        const auto& talks = doc.Talks().Items();
        for (size_t i = 0; i < talks.size(); ++i)
            if (!text::IsBlank(talks[i].numberText))
                m_talks.emplace(text::FoldCase(text::Trim(talks[i].numberText)),
                                static_cast<int>(i) + 1);
    }

    SpeakerImportPlan Make() {
        for (const CsvLine& line : m_csv.lines)
            m_plan.lines.push_back(PlanLine(line));
        return std::move(m_plan);
    }

private:
    static std::string CongregationKey(std::string_view name) {
        return text::FoldCase(
            text::Trim(text::LeftChars(text::Trim(name), CongregationRecord::kNameChars)));
    }

    std::string Cell(const CsvLine& line, CsvColumn column) const {
        for (size_t i = 0; i < m_csv.columns.size() && i < line.cells.size(); ++i)
            if (m_csv.columns[i] == static_cast<int>(column))
                return std::string(text::Trim(line.cells[i]));
        return {};
    }

    std::string HeaderName(CsvColumn column) const {
        for (size_t i = 0; i < m_csv.columns.size(); ++i)
            if (m_csv.columns[i] == static_cast<int>(column))
                return std::string(text::Trim(m_csv.header[i]));
        return {};
    }

    /** The talk a number text names (1 … 256), or 0. */
    int Talk(std::string_view numberText) const {
        auto it = m_talks.find(text::FoldCase(numberText));
        return it == m_talks.end() ? 0 : it->second;
    }

    /** The talks of a cell, or the first token that names none. */
    bool ParseTalks(std::string_view cell, TalkRepertoire& talks, std::string& unknown) const {
        size_t i = 0;
        // A line break inside a spreadsheet cell separates like a blank.
        auto separator = [](char c) {
            return c == ' ' || c == ',' || c == '+' || c == '\t' || c == '\n' || c == '\r';
        };
        while (i < cell.size()) {
            if (separator(cell[i])) {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < cell.size() && !separator(cell[end]))
                ++end;
            const std::string_view token = cell.substr(i, end - i);
            i = end;
            if (const int talk = Talk(token)) {
                talks.Set(talk);
                continue;
            }
            bool range = false;
            for (size_t dash = token.find('-'); dash != std::string_view::npos && !range;
                 dash = token.find('-', dash + 1)) {
                const int from = Talk(token.substr(0, dash)), to = Talk(token.substr(dash + 1));
                if (from != 0 && to != 0 && from <= to) {
                    for (int t = from; t <= to; ++t)
                        talks.Set(t);
                    range = true;
                }
            }
            if (!range) {
                unknown = token;
                return false;
            }
        }
        return true;
    }

    SpeakerLinePlan PlanLine(const CsvLine& line) {
        SpeakerLinePlan plan;
        plan.number = line.number;
        auto reject = [&](CsvReject why, std::string detail = {}) {
            plan.action = LineAction::Skip;
            plan.reject = why;
            plan.detail = std::move(detail);
            return plan;
        };
        if (line.unterminatedQuote)
            return reject(CsvReject::UnterminatedQuote);
        plan.firstName = Cell(line, CsvColumn::FirstName);
        plan.lastName = Cell(line, CsvColumn::LastName);
        plan.congregation = Cell(line, CsvColumn::Congregation);
        if (line.cells.size() > m_csv.columns.size())
            return reject(CsvReject::TooManyFields);
        if (plan.lastName.empty())
            return reject(CsvReject::NoLastName);
        if (plan.congregation.empty())
            return reject(CsvReject::NoCongregation);
        const std::string phone = Cell(line, CsvColumn::Phone);
        const std::string phone2 = Cell(line, CsvColumn::Phone2);
        const std::string phone3 = Cell(line, CsvColumn::Phone3);
        const std::string email = Cell(line, CsvColumn::Email);
        const std::pair<CsvColumn, std::pair<const std::string*, size_t>> limits[] = {
            {CsvColumn::FirstName, {&plan.firstName, BrotherRecord::kNameChars}},
            {CsvColumn::LastName, {&plan.lastName, BrotherRecord::kNameChars}},
            {CsvColumn::Congregation, {&plan.congregation, CongregationRecord::kNameChars}},
            {CsvColumn::Phone, {&phone, BrotherRecord::kPhoneChars}},
            {CsvColumn::Phone2, {&phone2, BrotherExtraRecord::kPhoneChars}},
            {CsvColumn::Phone3, {&phone3, BrotherExtraRecord::kPhoneChars}},
            {CsvColumn::Email, {&email, BrotherExtraRecord::kEmailChars}}};
        // Reasons and warnings name the column as the file's header does.
        for (const auto& [column, value] : limits) {
            if (text::CharCount(*value.first) > value.second)
                return reject(CsvReject::TooLong, HeaderName(column));
            if (text::FromCodePage(text::ToCodePage(*value.first, m_doc.CodePage()),
                                   m_doc.CodePage()) != *value.first)
                plan.warnings.push_back(HeaderName(column));
        }
        TalkRepertoire talks;
        const std::string talkCell = Cell(line, CsvColumn::Talks);
        if (std::string unknown; !ParseTalks(talkCell, talks, unknown))
            return reject(CsvReject::UnknownTalk, unknown);
        const std::string key = NameKey(plan.firstName, plan.lastName);
        if (auto [it, fresh] = m_seen.emplace(key, line.number); !fresh)
            return reject(CsvReject::Repeat, std::to_string(it->second));

        const std::string congregationKey = CongregationKey(plan.congregation);
        if (auto it = m_congregations.find(congregationKey); it != m_congregations.end()) {
            const CongregationIndexEntry& c =
                m_doc.Congregations().Items()[static_cast<size_t>(it->second)];
            plan.congregationKey = c.congregationKey;
            plan.congregation = c.name;
        } else {
            auto [added, fresh] = m_newCongregations.emplace(
                congregationKey, static_cast<int>(m_plan.newCongregations.size()));
            if (fresh)
                m_plan.newCongregations.emplace_back(
                    text::Trim(text::LeftChars(plan.congregation, CongregationRecord::kNameChars)));
            plan.newCongregation = added->second;
            plan.congregation = m_plan.newCongregations[static_cast<size_t>(added->second)];
        }

        const int index = m_matcher.Match(key, plan.congregationKey);
        BrotherRecord& r = plan.record;
        BrotherExtraRecord& x = plan.extra;
        if (index >= 0) {
            const BrotherIndexEntry& entry = m_doc.Brothers().Items()[static_cast<size_t>(index)];
            if (m_doc.Brothers().ReadBrother(index, r) == 0) {
                r.firstName = entry.firstName;
                r.lastName = entry.lastName;
                r.congregationKey = entry.congregationKey;
            }
            m_doc.Brothers().ReadBrotherExtra(r.extraSlot, r.brotherKey, x);
            plan.brotherKey = entry.brotherKey;
            plan.action = LineAction::Update;
        } else {
            r.firstName = plan.firstName;
            r.lastName = plan.lastName;
        }
        // An empty cell keeps what is stored.
        auto apply = [&](const char* field, std::string& stored, const std::string& value) {
            if (!value.empty() && value != stored) {
                stored = value;
                plan.changes.emplace_back(field);
            }
        };
        apply("telephone", r.phone, phone);
        apply("telephone2", x.phone2, phone2);
        apply("telephone3", x.phone3, phone3);
        apply("email", x.email, email);
        if (!talkCell.empty() && !(talks == r.repertoire)) {
            r.repertoire = talks;
            plan.changes.emplace_back("talks");
        }
        if (plan.newCongregation >= 0 || r.congregationKey != plan.congregationKey) {
            r.congregationKey = plan.congregationKey;
            plan.changes.emplace_back("congregation");
        }
        if (plan.action == LineAction::Add)
            plan.changes.clear();
        else if (plan.changes.empty())
            plan.action = LineAction::Unchanged;
        return plan;
    }

    const CMvDoc& m_doc;
    const SpeakerCsv& m_csv;
    BrotherMatcher m_matcher;
    SpeakerImportPlan m_plan;
    std::unordered_map<std::string, int> m_congregations;    ///< folded name → index
    std::unordered_map<std::string, int> m_newCongregations; ///< folded name → new index
    std::unordered_map<std::string, int> m_talks;            ///< folded number text → talk
    std::unordered_map<std::string, int> m_seen;             ///< name key → line number
};

} // namespace

SpeakerImportPlan PlanSpeakerImport(const CMvDoc& doc, const SpeakerCsv& csv) {
    return SpeakerPlanner(doc, csv).Make();
}

std::string RejectText(const StringTable& strings, const SpeakerLinePlan& line) {
    constexpr int kNoLastName = 61045, kNoCongregation = 61240, kTooManyFields = 61241,
                  kTooLong = 61242, kUnknownTalk = 61243, kRepeat = 61244, kUnterminated = 61245;
    switch (line.reject) {
    case CsvReject::None:
        return {};
    case CsvReject::NoLastName:
        return strings.Get(kNoLastName);
    case CsvReject::NoCongregation:
        return strings.Get(kNoCongregation);
    case CsvReject::TooManyFields:
        return strings.Get(kTooManyFields);
    case CsvReject::TooLong:
        return strings.Format(kTooLong, line.detail);
    case CsvReject::UnknownTalk:
        return strings.Format(kUnknownTalk, line.detail);
    case CsvReject::Repeat:
        return strings.Format(kRepeat, line.detail);
    case CsvReject::UnterminatedQuote:
        return strings.Get(kUnterminated);
    }
    return {};
}

std::string CsvErrorText(const StringTable& strings, CsvError error,
                         const std::filesystem::path& path) {
    constexpr int kUnreadable = 61246, kTooLarge = 61247, kNoHeader = 61248, kNoColumn = 61249;
    switch (error) {
    case CsvError::None:
        return {};
    case CsvError::Unreadable:
        return strings.Format(kUnreadable, path.string());
    case CsvError::TooLarge:
        return strings.Format(kTooLarge, path.string());
    case CsvError::NoHeader:
        return strings.Format(kNoHeader, path.string());
    case CsvError::NoRequiredColumn:
        return strings.Format(kNoColumn, path.string());
    }
    return {};
}

SpeakerImportOutcome CommitSpeakerImport(CMvDoc& doc, const SpeakerImportPlan& plan) {
    SpeakerImportOutcome outcome;
    const uint64_t failures = doc.FailedWrites();
    auto failed = [&] { return doc.FailedWrites() != failures; };
    std::vector<uint16_t> newKeys;
    for (const std::string& name : plan.newCongregations) {
        CongregationRecord fresh;
        fresh.name = name;
        const int index = doc.Congregations().AddCongregation(fresh);
        if (index < 0 || failed())
            return outcome;
        newKeys.push_back(doc.Congregations().Congregation(index)->congregationKey);
        ++outcome.congregations;
    }
    auto congregationOf = [&](const SpeakerLinePlan& line) {
        return line.newCongregation >= 0 ? newKeys[static_cast<size_t>(line.newCongregation)]
                                         : line.congregationKey;
    };
    BrotherStore& brothers = doc.Brothers();
    std::vector<BrotherStore::NewBrother> added;
    for (const SpeakerLinePlan& line : plan.lines) {
        if (line.action == LineAction::Add) {
            BrotherStore::NewBrother fresh{line.record, line.extra};
            fresh.record.congregationKey = congregationOf(line);
            added.push_back(std::move(fresh));
            continue;
        }
        if (line.action != LineAction::Update)
            continue;
        int index = brothers.FindBrotherByKey(line.brotherKey);
        const uint16_t congregation = congregationOf(line);
        if (const BrotherIndexEntry* entry = brothers.Brother(index);
            entry && entry->congregationKey != congregation) {
            doc.MoveBrother(index, congregation, false);
            index = brothers.FindBrotherByKey(line.brotherKey);
        }
        BrotherRecord record;
        BrotherExtraRecord extra;
        if (brothers.ReadBrother(index, record) == 0)
            return outcome;
        brothers.ReadBrotherExtra(record.extraSlot, record.brotherKey, extra);
        // Only the fields the plan changes: the rest of his records stays as read now.
        for (const std::string& field : line.changes) {
            if (field == "telephone")
                record.phone = line.record.phone;
            else if (field == "telephone2")
                extra.phone2 = line.extra.phone2;
            else if (field == "telephone3")
                extra.phone3 = line.extra.phone3;
            else if (field == "email")
                extra.email = line.extra.email;
            else if (field == "talks")
                record.repertoire = line.record.repertoire;
        }
        record.congregationKey = congregation;
        brothers.UpdateBrother(index, record, extra);
        if (failed())
            return outcome;
        ++outcome.updated;
    }
    if (!added.empty()) {
        for (uint16_t key : brothers.AddBrothers(std::move(added)))
            outcome.added += key != 0 ? 1 : 0;
    }
    doc.BuildOurBrotherList();
    outcome.complete = !failed();
    return outcome;
}

} // namespace mivra::exchange
