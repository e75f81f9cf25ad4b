#pragma once
// The unit-price tables as an Excel workbook: one worksheet "代価表" holding the pages
// of the PDF one under the other, each ended by a manual page break; every table opens
// with its owner and column headings, its lines and totals with numeric figures.

#include <string>
#include <string_view>
#include <vector>

#include "reports/documents/daika_data.h"
#include "reports/engine/report_design.h"
#include "util/failure.h"

namespace omrix::reports {

inline constexpr std::string_view kDaikaSheetName = "代価表";
inline constexpr std::string_view kNoDaikaText = "代価表のある明細はありません。";

struct DaikaWorkbookInput {
    const DesignInfo& design;
    const std::string& company;
    const std::string& projectName;
    const std::vector<DaikaTable>& tables;
    const std::vector<DaikaPage>& pages;  // as the painter pages them
};

util::Status writeDaikaWorkbook(const std::string& path, const DaikaWorkbookInput& input);

}  // namespace omrix::reports
