#pragma once
// Reading and writing a record through one list of its fields. A table module lists
// its columns once, in record order, as a generic lambda (record, visitor) that calls
// visitor(column name, field) for each; the visitors below turn that list into the
// reads of a record set or the values of a write, so the two can never drift apart.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/tables/audit_record.h"
#include "data/core/database.h"
#include "data/tables/record_conventions.h"
#include "data/tables/table_write.h"
#include "util/currency.h"
#include "util/fixed_text.h"

namespace omrix::data {

// "１", "２", … "１１": the full-width numbering of repeated columns (備考１ … 備考１１).
std::string fullWidthNumber(int number);

// Repeated columns held as one array: stem１, stem２, … in array order.
template <typename Array, typename Visitor>
void visitNumbered(std::string_view stem, Array& fields, Visitor& visitor) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        visitor(std::string(stem) + fullWidthNumber(static_cast<int>(i) + 1), fields[i]);
    }
}

// Copies the current row of a record set into the fields, by column name.
class FieldReader {
  public:
    explicit FieldReader(CCCDBS_RecordSet& rs) : rs_(rs) {}
    template <std::size_t N>
    void operator()(std::string_view column, util::FixedText<N>& field) {
        field = rs_.fnGetChar(column);
    }
    void operator()(std::string_view column, std::string& field) { field = rs_.fnGetChar(column); }
    void operator()(std::string_view column, int16_t& field) { field = rs_.fnGetSmallInt(column); }
    void operator()(std::string_view column, int32_t& field) { field = rs_.fnGetInt(column); }
    void operator()(std::string_view column, double& field) { field = rs_.fnGetHdouble(column); }
    void operator()(std::string_view column, util::Currency& field) {
        field = rs_.fnGetMoney(column);
    }
    void operator()(std::string_view column, DateTime& field) { field = rs_.fnGetDate(column); }

  private:
    CCCDBS_RecordSet& rs_;
};

// Adds the fields to the column list of a write. A fixed text goes with its padding,
// cut to its width in bytes.
class FieldWriter {
  public:
    explicit FieldWriter(SqlColumnList& columns) : columns_(columns) {}
    template <std::size_t N>
    void operator()(std::string_view column, const util::FixedText<N>& field) {
        columns_.text(column, field.str(), static_cast<int32_t>(N));
    }
    void operator()(std::string_view column, int16_t field) {
        columns_.number(column, int64_t{field});
    }
    void operator()(std::string_view column, int32_t field) {
        columns_.number(column, int64_t{field});
    }
    void operator()(std::string_view column, double field) { columns_.number(column, field); }
    void operator()(std::string_view column, util::Currency field) {
        columns_.money(column, field);
    }

  private:
    SqlColumnList& columns_;
};

// Reads the audit columns and then every listed field of the current row.
template <typename Record, typename FieldList>
void readRecord(CCCDBS_RecordSet& rs, Record& record, FieldList fields) {
    sbReadAudit(rs, record.audit);
    FieldReader reader(rs);
    fields(record, reader);
}

// The listed fields of a record as the column list of a write.
template <typename Record, typename FieldList>
SqlColumnList columnsOf(const Record& record, FieldList fields) {
    SqlColumnList columns;
    FieldWriter writer(columns);
    fields(record, writer);
    return columns;
}

}  // namespace omrix::data
