#pragma once
// The read loop every table module shares: run one select, hand each row to a reader,
// close. A failed query or a failed move is a failed read, never a short list.

#include <string>
#include <vector>

#include "data/core/database.h"

namespace omrix::data {

// Every row of `sql`, each read by `readRow(recordSet, rows.emplace_back())`.
template <typename Row, typename ReadRow>
[[nodiscard]] bool selectRows(CCCDBS_DataBase& db, const std::string& sql, std::vector<Row>& rows,
                              ReadRow readRow) {
    rows.clear();
    auto rs = db.fnOpenRecordSet(sql);
    if (!rs) return false;
    while (!rs->pbEOF()) {
        readRow(*rs, rows.emplace_back());
        if (!rs->fnMoveNext()) return false;
    }
    rs->fnClose();
    return true;
}

// The first row of `sql` read into `row`; `row` stays as it was without one.
// Returns false only when the query fails; `found` tells whether a row was there.
template <typename Row, typename ReadRow>
[[nodiscard]] bool selectFirstRow(CCCDBS_DataBase& db, const std::string& sql, Row& row,
                                  ReadRow readRow, bool* found = nullptr) {
    auto rs = db.fnOpenRecordSet(sql);
    if (!rs) return false;
    const bool there = !rs->pbEOF();
    if (there) readRow(*rs, row);
    if (found != nullptr) *found = there;
    rs->fnClose();
    return true;
}

// Whether `sql` gives a row; false only when the query fails.
[[nodiscard]] inline bool selectHasRow(CCCDBS_DataBase& db, const std::string& sql, bool& found) {
    auto rs = db.fnOpenRecordSet(sql);
    if (!rs) return false;
    found = !rs->pbEOF();
    rs->fnClose();
    return true;
}

}  // namespace omrix::data
