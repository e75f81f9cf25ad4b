#pragma once
// The construction overview and estimate summary as Excel workbooks: one form-like
// worksheet per sheet of the PDF, with the same labels and values.

#include <string>
#include <vector>

#include "reports/documents/sheet_data.h"
#include "reports/engine/report_design.h"
#include "util/failure.h"

namespace omrix::reports {

// The worksheet is named for the document's title ("工事概要", "見積要項").
util::Status writeSheetWorkbook(const std::string& path, const DesignInfo& design,
                                const std::vector<SheetModel>& sheets);

}  // namespace omrix::reports
