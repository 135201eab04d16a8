#include "ui/TabColumns.h"

namespace mivra::ui {
namespace {

constexpr int kDefaultStep = 32; // dialog units between columns when a list sets no stops

/** The n-th stop (0-based) in pixels, or -1 past the last one. */
int Stop(std::span<const int> stops, size_t n, int unitX) {
    auto px = [unitX](int dlu) { return dlu * unitX / 4; };
    if (stops.size() <= 1)
        return px(stops.empty() ? kDefaultStep : stops.front()) * static_cast<int>(n + 1);
    return n < stops.size() ? px(stops[n]) : -1;
}

} // namespace

std::vector<int> ColumnStarts(std::span<const int> stops, std::span<const int> widths, int unitX,
                              int spaceWidth) {
    std::vector<int> starts;
    int x = 0;
    for (size_t i = 0; i + 1 < widths.size(); ++i) {
        const int end = x + widths[i];
        const int stop = Stop(stops, i, unitX);
        x = stop > end ? stop : end + spaceWidth;
        starts.push_back(x);
    }
    return starts;
}

int ColumnAt(std::span<const int> starts, int x) {
    int column = 0;
    while (static_cast<size_t>(column) < starts.size() && starts[static_cast<size_t>(column)] <= x)
        ++column;
    return column;
}

std::vector<std::string_view> SplitColumns(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t from = 0;
    for (size_t tab = text.find('\t'); tab != std::string_view::npos; tab = text.find('\t', from)) {
        parts.push_back(text.substr(from, tab - from));
        from = tab + 1;
    }
    parts.push_back(text.substr(from));
    return parts;
}

} // namespace mivra::ui
