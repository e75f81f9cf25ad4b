#pragma once
// One open query result with ADO-like navigation over a forward cursor. Reading
// forward streams straight from the engine; counting rows and moving back or to the
// end read the whole result into memory first.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/core/database.h"
#include "data/drivers/driver.h"
#include "data/core/variant.h"

namespace omrix::data {

// Resolves column names once per result. Readers ask for the same names in the same
// order on every row, so the next expected name is checked first; a hash finds the rest.
class ColumnNameCache {
  public:
    void reset(const Cursor& cursor);
    int find(std::string_view name);  // -1 when the result has no such column
    void rowChanged() { next_ = 0; }

  private:
    struct Slot {
        std::string name;
        int column;
    };
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    int resolve(std::string_view name) const;

    std::vector<std::string> keys_;  // columnNameKey of each result column
    std::vector<Slot> slots_;
    std::unordered_map<std::string, size_t, Hash, std::equal_to<>> slotOf_;
    size_t next_ = 0;
};

class DrevoRecordSet {
  public:
    int32_t open(Driver& connection, std::string_view sql);
    int32_t requery();

    bool bof() const;
    bool eof() const;
    int32_t moveNext();
    int32_t moveFirst();
    int32_t moveLast();
    int32_t movePrevious();
    int32_t recordCount(int32_t& count);

    // Empty and an error code when the column is unknown or there is no current row.
    int32_t value(const ColumnIndex& index, Variant& out);

    int columnCount() const;
    std::string columnName(int column) const;

  private:
    int32_t stepStream();
    int32_t materialise();
    int column(const ColumnIndex& index);
    Variant streamValue(int column);

    std::unique_ptr<Cursor> cursor_;
    ColumnNameCache names_;
    std::vector<std::string> columnNames_;
    // Streaming: the cursor's current row is row `row_`; no row means the end.
    bool streaming_ = true;
    bool hasRow_ = false;
    int64_t row_ = 0;
    // Materialised: -1 before the first row, rows_.size() after the last.
    std::vector<std::vector<Variant>> rows_;
    int64_t position_ = 0;
};

}  // namespace omrix::data
