#pragma once
// The breakdown statement as an Excel workbook: every printed page a block of rows
// (title, 工事名称 and company, page name, column headings, the fifteen lines, the
// page number) with a manual page break after it, so that the workbook prints the
// pages of the PDF. Figures are numeric cells in the statement's number formats.
// Pages are read through the page index one after the other and written out as they
// come (constant memory), so that a long statement never sits in memory whole.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/documents/statement_document.h"
#include "reports/workbooks/workbook_writer.h"
#include "util/failure.h"

namespace omrix::reports {

inline constexpr std::string_view kStatementSheetName = "内訳書";
// Excel keeps at most 1023 manual breaks in a worksheet: longer statements go on in
// further worksheets "内訳書(2)", "内訳書(3)", … of as many pages each.
inline constexpr std::size_t kPagesPerWorksheet = Worksheet::kMaxPageBreaks + 1;

// Fails, writing nothing, for a statement without lines, and when a page cannot be
// read (the file is then removed).
util::Status writeStatementWorkbook(const std::string& path, const DesignInfo& design,
                                    const StatementHeading& heading,
                                    const StatementPageIndex& index, data::CCCDBS_DataBase& db);

// The number a formatted 内訳数量 ("   1,234.500") stands for; nullopt for blank or
// anything that is no number.
std::optional<double> quantityValue(std::string_view text);

}  // namespace omrix::reports
