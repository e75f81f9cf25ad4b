#pragma once
// omrix-db demo: a realistic sample estimate for a building project, written into an
// initialised database. The same seed and size always give the same rows.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/core/database.h"
#include "util/currency.h"
#include "util/failure.h"

namespace omrix::demo {

// The project and version scripts/demo prints; the command line finds them by these.
inline constexpr std::string_view kDemoBukkenNo = "00000001";
inline constexpr std::string_view kDemoHanNo = "01";
inline constexpr int32_t kDemoUchiwakeNameId = 1;
inline constexpr int32_t kDemoDefaultLines = 2000;
inline constexpr int32_t kDemoMaxLines = 2000000;

struct DemoOptions {
    uint32_t seed = 1;
    int32_t lines = kDemoDefaultLines;  // live lines of 内訳, the heading line included
    std::string bukkenNo{kDemoBukkenNo};
    std::string hanNo{kDemoHanNo};
};

struct DemoSummary {
    int32_t lines = 0;
    int32_t daikahyo = 0;
    util::Currency total;  // 提出用金額 of the heading line
};

// Masters, the project and its breakdown in one transaction. Bad options, a database
// that already holds masters or the project, or a failed statement write nothing.
util::Result<DemoSummary> createDemoDatabase(data::CCCDBS_DataBase& db, const DemoOptions& options);

}  // namespace omrix::demo
