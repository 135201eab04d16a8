#include "ui/headless/RecordingCanvas.h"

#include "base/Text.h"

#include <cstdio>
#include <cstdlib>

namespace mivra::ui::headless {
namespace {

constexpr int kDialogFontHeight = 13;

std::string Hex(Colour c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", Red(c), Green(c), Blue(c));
    return buf;
}

std::string Xy(Point p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

std::string Box(Rect r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string AlignText(Align a) {
    static const char* const h[] = {"left", "right", "centre"};
    static const char* const v[] = {"top", "bottom", "baseline"};
    return std::string(h[static_cast<int>(a.h)]) + "/" + v[static_cast<int>(a.v)];
}

std::string FontText(const Font& f) {
    std::string s = "h=" + std::to_string(f.height) + " w=" + std::to_string(f.width) +
                    " wt=" + std::to_string(f.weight);
    if (f.italic)
        s += " italic";
    if (f.underline)
        s += " underline";
    return s + " pf=" + std::to_string(f.pitchAndFamily) + " cs=" + std::to_string(f.charSet) +
           " face=\"" + f.face + "\" colour=" + Hex(f.colour);
}

std::string DumpLine(const RecordingCanvas::Call& c) {
    if (c.op == "font")
        return "font " + FontText(c.font);
    if (c.op == "textcolour")
        return "textcolour " + Hex(c.colour);
    if (c.op == "background")
        return std::string("background ") + (c.opaque ? "opaque " : "transparent ") + Hex(c.colour);
    if (c.op == "text")
        return "text " + Xy(c.at) + " " + AlignText(c.align) + " \"" + c.text + "\"";
    if (c.op == "wrap")
        return "wrap " + Box(c.box) + " " + AlignText(c.align) + " \"" + c.text + "\"";
    if (c.op == "fill")
        return "fill " + Box(c.box) + " " + Hex(c.colour);
    if (c.op == "line")
        return "line " + Xy(c.at) + "-" + Xy(c.to);
    if (c.op == "pen")
        return "pen " + Hex(c.colour) + " " + c.text;
    if (c.op == "clip" || c.op == "picture")
        return c.op + " " + Box(c.box);
    if (c.op == "origin")
        return "origin " + Xy(c.at);
    return c.op;
}

} // namespace

RecordingCanvas::Call& RecordingCanvas::Record(std::string op) {
    Call c;
    c.op = std::move(op);
    c.font = m_font;
    c.colour = m_textColour;
    c.opaque = m_opaque;
    m_calls.push_back(std::move(c));
    return m_calls.back();
}

int RecordingCanvas::CellHeight() const {
    int h = std::abs(m_font.height);
    return h == 0 ? kDialogFontHeight : h;
}

int RecordingCanvas::CharWidth() const {
    return m_font.width > 0 ? m_font.width : CellHeight() / 2;
}

void RecordingCanvas::SelectFont(const Font& font) {
    m_font = font;
    Record("font");
}

void RecordingCanvas::SetTextColour(Colour colour) {
    m_textColour = colour;
    Record("textcolour");
}

void RecordingCanvas::SetBackground(bool opaque, Colour colour) {
    m_opaque = opaque;
    m_background = colour;
    Record("background").colour = colour;
}

void RecordingCanvas::DrawText(Point at, std::string_view text, Align align) {
    Call& c = Record("text");
    c.at = at;
    c.text = text;
    c.align = align;
}

Size RecordingCanvas::TextExtent(std::string_view text) {
    return {static_cast<int>(text::CharCount(text)) * CharWidth(), CellHeight()};
}

FontMetrics RecordingCanvas::Metrics() {
    int h = CellHeight();
    int ascent = h * 8 / 10;
    return {h, ascent, h - ascent, CharWidth()};
}

std::vector<std::string> RecordingCanvas::WrapLines(int width, std::string_view text) const {
    std::vector<std::string> lines;
    const int cw = CharWidth();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string_view para =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        std::string line;
        size_t pos = 0;
        while (pos <= para.size()) {
            size_t space = para.find(' ', pos);
            std::string_view word =
                para.substr(pos, space == std::string_view::npos ? space : space - pos);
            std::string tried = line.empty() ? std::string(word) : line + " " + std::string(word);
            if (!line.empty() && static_cast<int>(text::CharCount(tried)) * cw > width) {
                lines.push_back(line);
                line = std::string(word);
            } else {
                line = tried;
            }
            if (space == std::string_view::npos)
                break;
            pos = space + 1;
        }
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

int RecordingCanvas::WrappedHeight(int width, std::string_view text) {
    return static_cast<int>(WrapLines(width, text).size()) * CellHeight();
}

int RecordingCanvas::DrawWrapped(Rect box, std::string_view text, HAlign align) {
    Call& c = Record("wrap");
    c.box = box;
    c.text = text;
    c.align = {align, VAlign::Top};
    return WrappedHeight(box.Width(), text);
}

void RecordingCanvas::FillRect(Rect box, Colour colour) {
    Call& c = Record("fill");
    c.box = box;
    c.colour = colour;
}

void RecordingCanvas::SetPen(const Pen& pen) {
    static const char* const styles[] = {"solid", "dash", "dot", "none"};
    Call& c = Record("pen");
    c.colour = pen.colour;
    c.text = std::string(styles[static_cast<int>(pen.style)]) + " " + std::to_string(pen.width);
}

void RecordingCanvas::DrawLine(Point from, Point to) {
    Call& c = Record("line");
    c.at = from;
    c.to = to;
}

void RecordingCanvas::SetClip(Rect box) {
    Record("clip").box = box;
}

void RecordingCanvas::ClearClip() {
    Record("noclip");
}

void RecordingCanvas::SetOrigin(Point origin) {
    Record("origin").at = origin;
}

void RecordingCanvas::DrawPicture(const Picture&, Rect box) {
    Record("picture").box = box;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::CallsOf(std::string_view op) const {
    std::vector<Call> found;
    for (const Call& c : m_calls)
        if (c.op == op)
            found.push_back(c);
    return found;
}

const RecordingCanvas::Call* RecordingCanvas::FindText(std::string_view text) const {
    for (const Call& c : m_calls)
        if (c.op == "text" && c.text == text)
            return &c;
    return nullptr;
}

std::string RecordingCanvas::Dump() const {
    std::string out;
    for (const Call& c : m_calls)
        out += DumpLine(c) + "\n";
    return out;
}

} // namespace mivra::ui::headless
