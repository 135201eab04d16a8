#include "resources/CommandTable.h"

#include "resources/Embedded.h"
#include "resources/StringTable.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace mivra::resources {
namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

struct Line {
    int number = 0;
    int depth = 0; ///< the indent in steps of two blanks
    std::vector<Token> tokens;
};

bool IsName(const Token& t) {
    if (t.quoted || t.text.empty() || !std::isalpha(static_cast<unsigned char>(t.text[0])))
        return false;
    for (char c : t.text)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

bool ReadNumber(const Token& t, int low, int& value) {
    if (t.quoted)
        return false;
    const char* end = t.text.data() + t.text.size();
    auto [ptr, ec] = std::from_chars(t.text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= 65535;
}

/** Reads a quoted text from just after its opening quote; false when it is not closed. */
bool ReadQuoted(std::string_view s, size_t& i, std::string& out) {
    for (; i < s.size(); ++i) {
        if (s[i] == '"') {
            ++i;
            return true;
        }
        if (s[i] == '\\' && i + 1 < s.size()) {
            char next = s[++i];
            if (next != 't' && next != '"' && next != '\\')
                return false;
            out += next == 't' ? '\t' : next;
        } else {
            out += s[i];
        }
    }
    return false;
}

/** Splits a line into words and quoted texts; an empty error when it is well formed. */
std::string Tokenize(std::string_view s, Line& line) {
    size_t i = s.find_first_not_of(' ');
    if (i == std::string_view::npos || s[i] == '#')
        return {};
    if (i % 2 != 0)
        return "indent by two blanks a level";
    line.depth = static_cast<int>(i / 2);
    while (i < s.size()) {
        if (s[i] == ' ') {
            ++i;
        } else if (s[i] == '#') {
            break;
        } else if (s[i] == '"') {
            Token t{{}, true};
            ++i;
            if (!ReadQuoted(s, i, t.text))
                return "a text without its closing quote, or an unknown escape";
            if (i < s.size() && s[i] != ' ')
                return "a blank must follow a text";
            line.tokens.push_back(std::move(t));
        } else {
            size_t end = s.find_first_of(" \"", i);
            end = end == std::string_view::npos ? s.size() : end;
            line.tokens.push_back({std::string(s.substr(i, end - i)), false});
            i = end;
        }
    }
    for (const Token& t : line.tokens)
        if (!t.quoted && t.text.find('\t') != std::string::npos)
            return "a tab outside a text";
    return {};
}

} // namespace

/** One pass over the lines of a table, from the top down; names must be declared first. */
class CommandTableParser {
public:
    explicit CommandTableParser(std::vector<Line> lines) : m_lines(std::move(lines)) {}

    std::string Run(CommandTable& table) {
        while (m_at < m_lines.size() && m_error.empty())
            TopLevel(table, m_lines[m_at++]);
        return m_error;
    }

private:
    bool Fail(const Line& line, std::string_view what) {
        if (m_error.empty())
            m_error = "line " + std::to_string(line.number) + ": " + std::string(what);
        return false;
    }

    bool HasChild(int depth) const { return m_at < m_lines.size() && m_lines[m_at].depth > depth; }

    /** The next line of a block at `depth`, or null at its end; refuses a deeper line. */
    const Line* Next(int depth) {
        if (!m_error.empty() || m_at == m_lines.size() || m_lines[m_at].depth < depth)
            return nullptr;
        const Line& line = m_lines[m_at];
        if (line.depth > depth) {
            Fail(line, "indented deeper than its block");
            return nullptr;
        }
        ++m_at;
        return &line;
    }

    void TopLevel(CommandTable& t, const Line& line) {
        const std::string& word = line.tokens[0].text;
        const size_t size = line.tokens.size();
        if (line.depth != 0) {
            Fail(line, "indented without a block");
        } else if (word == "id" && size == 3) {
            if (Declare(line, line.tokens[1], line.tokens[2]))
                t.m_ids.push_back({line.tokens[1].text, m_names[line.tokens[1].text]});
        } else if (word == "menubar" && size == 1 && t.m_menuBar.empty()) {
            Entries(line, 1, true, t.m_menuBar);
        } else if (word == "popup" && size == 2) {
            AddPopup(t, line);
        } else if (word == "toolbar" && size == 1 && t.m_toolbar.empty()) {
            Tools(line, t.m_toolbar);
        } else if (word == "panel" && size == 1 && t.m_panel.empty()) {
            Buttons(line, t);
        } else {
            Fail(line, "not an id, menubar, popup, toolbar or panel (or one given twice)");
        }
    }

    /** A name for an id: names and ids are unique across commands and panel buttons. */
    bool Declare(const Line& line, const Token& name, const Token& number) {
        int id = 0;
        if (!IsName(name) || !ReadNumber(number, 1, id))
            return Fail(line, "a name of letters and digits and an id from 1 to 65535");
        if (m_names.count(name.text))
            return Fail(line, "the name " + name.text + " is taken");
        for (const auto& [other, otherId] : m_names)
            if (otherId == id)
                return Fail(line, "the id " + number.text + " is " + other + "'s");
        m_names[name.text] = id;
        return true;
    }

    bool Command(const Line& line, const Token& name, int& id) {
        auto it = m_names.find(name.text);
        if (name.quoted || it == m_names.end())
            return Fail(line, "no id is named " + name.text);
        id = it->second;
        return true;
    }

    void AddPopup(CommandTable& t, const Line& line) {
        const Token& name = line.tokens[1];
        for (const CommandTable::NamedPopup& p : t.m_popups)
            if (p.name == name.text)
                Fail(line, "a second pop-up named " + name.text);
        if (!IsName(name))
            Fail(line, "a pop-up's name is letters and digits");
        t.m_popups.push_back({name.text, {}});
        Entries(line, 1, false, t.m_popups.back().items);
    }

    /** The entries of a menu bar, submenu or pop-up (`nested`: submenus and keys allowed). */
    void Entries(const Line& owner, int depth, bool nested, std::vector<MenuNode>& out) {
        while (const Line* line = Next(depth)) {
            out.emplace_back();
            Entry(*line, depth, nested, out.back());
        }
        if (out.empty())
            Fail(owner, "a menu without entries");
    }

    void Entry(const Line& line, int depth, bool nested, MenuNode& node) {
        const std::vector<Token>& tok = line.tokens;
        const std::string& word = tok[0].text;
        if (word == "separator" && tok.size() == 1)
            return;
        if (word == "menu" && nested && tok.size() == 2 && tok[1].quoted && !tok[1].text.empty()) {
            node.text = tok[1].text;
            Entries(line, depth + 1, true, node.items);
        } else if (word == "item" && tok.size() >= 3) {
            Item(line, nested, node);
        } else {
            Fail(line, nested ? "not an item, menu or separator" : "not an item or separator");
        }
    }

    void Item(const Line& line, bool nested, MenuNode& node) {
        const std::vector<Token>& tok = line.tokens;
        if (!Command(line, tok[1], node.id))
            return;
        size_t next = 3;
        if (tok[2].quoted) {
            node.text = tok[2].text;
        } else if (tok[2].text == "string" && tok.size() >= 4 &&
                   ReadNumber(tok[3], 1, node.stringId)) {
            next = 4;
        }
        if (node.text.empty() && node.stringId == 0)
            Fail(line, "an item needs a text or a string id");
        if (next < tok.size() && (tok[next].text != "keys" || !nested || next + 1 == tok.size()))
            Fail(line, "only \"keys\" and the key sequences may follow a menu bar item's text");
        for (size_t k = next + 1; k < tok.size(); ++k)
            node.keys.push_back(tok[k].text);
    }

    void Tools(const Line& owner, std::vector<ToolButton>& out) {
        while (const Line* line = Next(1)) {
            const std::vector<Token>& tok = line->tokens;
            ToolButton b;
            if (tok[0].text == "separator" && tok.size() == 1) {
                out.push_back(b);
                continue;
            }
            if (tok[0].text != "tool" || tok.size() != 4 || tok[2].quoted || !tok[3].quoted) {
                Fail(*line, "not tool COMMAND ICON \"TIP\" or a separator");
                return;
            }
            if (!Command(*line, tok[1], b.id))
                return;
            b.icon = tok[2].text;
            b.tip = tok[3].text;
            out.push_back(std::move(b));
        }
        if (out.empty())
            Fail(owner, "a toolbar without buttons");
    }

    void Buttons(const Line& owner, CommandTable& t) {
        while (const Line* line = Next(1)) {
            const std::vector<Token>& tok = line->tokens;
            if (tok[0].text != "button" || tok.size() < 3 || !Declare(*line, tok[1], tok[2]))
                Fail(*line, "not button NAME NUMBER");
            if (!m_error.empty())
                return;
            PanelButton b;
            b.id = b.command = m_names[tok[1].text];
            Action(*line, b);
            t.m_ids.push_back({tok[1].text, b.id});
            t.m_panel.push_back(std::move(b));
        }
        if (t.m_panel.empty())
            Fail(owner, "a panel without buttons");
    }

    /** What follows a button's id: "runs COMMAND", "popup X Y" with its items, or nothing. */
    void Action(const Line& line, PanelButton& b) {
        const std::vector<Token>& tok = line.tokens;
        if (tok.size() == 6 && tok[3].text == "popup" && ReadNumber(tok[4], 0, b.x) &&
            ReadNumber(tok[5], 0, b.y)) {
            b.command = 0;
            Entries(line, 2, false, b.popup);
            return;
        }
        if (tok.size() == 5 && tok[3].text == "runs")
            Command(line, tok[4], b.command);
        else if (tok.size() != 3)
            Fail(line, "a button runs a COMMAND, opens a popup X Y, or neither");
        if (HasChild(1))
            Fail(m_lines[m_at], "only a pop-up button has items");
    }

    std::vector<Line> m_lines;
    size_t m_at = 0;
    std::string m_error;
    std::map<std::string, int> m_names;
};

const std::string& MenuNode::Text(const StringTable& strings) const {
    return stringId != 0 ? strings.Get(stringId) : text;
}

const CommandTable& CommandTable::Shell() {
    static const CommandTable table = [] {
        std::string error;
        CommandTable t = Parse(Find("commands/shell.txt").value_or(""), error);
        if (!error.empty()) {
            // The table is compiled in and tested: a fault is the build's, not the user's.
            std::fprintf(stderr, "commands/shell.txt: %s\n", error.c_str());
            std::abort();
        }
        return t;
    }();
    return table;
}

CommandTable CommandTable::Parse(std::string_view source, std::string& error) {
    std::vector<Line> lines;
    error.clear();
    for (int number = 1; !source.empty() && error.empty(); ++number) {
        size_t end = source.find('\n');
        std::string_view text = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view{} : source.substr(end + 1);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        Line line{number, 0, {}};
        if (std::string fault = Tokenize(text, line); !fault.empty())
            error = "line " + std::to_string(number) + ": " + fault;
        else if (!line.tokens.empty())
            lines.push_back(std::move(line));
    }
    CommandTable table;
    if (error.empty())
        error = CommandTableParser(std::move(lines)).Run(table);
    if (error.empty() && table.m_menuBar.empty())
        error = "no menubar";
    return error.empty() ? table : CommandTable{};
}

const std::vector<MenuNode>& CommandTable::Popup(std::string_view name) const {
    static const std::vector<MenuNode> none;
    for (const NamedPopup& p : m_popups)
        if (p.name == name)
            return p.items;
    return none;
}

const PanelButton* CommandTable::FindPanelButton(int id) const {
    for (const PanelButton& b : m_panel)
        if (b.id == id)
            return &b;
    return nullptr;
}

namespace {

void CollectIds(const std::vector<MenuNode>& nodes, std::vector<int>& ids) {
    for (const MenuNode& n : nodes) {
        if (n.id != 0)
            ids.push_back(n.id);
        CollectIds(n.items, ids);
    }
}

} // namespace

std::vector<int> CommandTable::MenuCommandIds() const {
    std::vector<int> ids;
    CollectIds(m_menuBar, ids);
    return ids;
}

} // namespace mivra::resources
