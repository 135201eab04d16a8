#pragma once

#include <span>
#include <string_view>
#include <vector>

// How a list row's tab-separated text falls into columns, shared by the Qt delegate that
// draws them and the headless window, so a click is hit-tested by what is drawn.
namespace mivra::ui {

/**
 * Where each column after the first starts, in pixels from the text's left edge, for texts
 * of these widths: the text after the n-th tab starts at the n-th stop, or a blank after the
 * text before it when that runs past the stop. Stops are dialog units (`unitX` pixels per
 * four); one stop repeats, none means every 32 units.
 */
std::vector<int> ColumnStarts(std::span<const int> stops, std::span<const int> widths, int unitX,
                              int spaceWidth);

/** The column (0-based) that x falls in; x left of the text is column 0. */
int ColumnAt(std::span<const int> starts, int x);

/** The row's texts between tabs. */
std::vector<std::string_view> SplitColumns(std::string_view text);

} // namespace mivra::ui
