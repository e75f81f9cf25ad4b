#pragma once
// Room for a long text in a cell: Excel never grows a row whose height is set, so a
// wrapped cell's row is given the height of every line the text breaks into.

#include <string_view>

namespace omrix::reports {

// A text's width as a spreadsheet sets it at `sizeMm`: a full-width character one em,
// any other 0.6 em (the faces' proportional Latin is narrower; 0.6 errs wide).
double cellTextWidthMm(std::string_view text, double sizeMm);

// The height a wrapped cell `widthMm` wide needs to show the text whole, each of its
// "\n" lines broken where it reaches the cell's edge.
double wrappedHeightMm(std::string_view text, double widthMm, double sizeMm);

}  // namespace omrix::reports
