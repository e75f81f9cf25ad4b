#pragma once
// The project a breakdown belongs to, for the heading of its documents.

#include <cstdint>
#include <string>

#include "data/core/database.h"

namespace omrix::reports {

struct ProjectHeading {
    std::string bukkenNo;       // 物件No of the 内訳名称 row, trimmed
    std::string hanNo;          // 版No, trimmed
    std::string breakdownName;  // 内訳名称
    std::string projectName;  // 工事名称 of 物件管理, else of 物件概要, else the breakdown's name
};

// Reads 内訳名称 by its ID and the project's names by its 物件No. A breakdown or
// project that is not there leaves the texts empty; this never fails a report.
ProjectHeading readProjectHeading(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId);

}  // namespace omrix::reports
