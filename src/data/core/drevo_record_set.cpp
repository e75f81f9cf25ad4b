#include "data/core/drevo_record_set.h"

#include "data/drivers/sql_text.h"

namespace omrix::data {
namespace {

// ADO's "either BOF or EOF is true, or the current record has been deleted".
constexpr int32_t kNoCurrentRecord = 3021;
// ADO's "item cannot be found in the collection".
constexpr int32_t kNoSuchColumn = 3265;

}  // namespace

void ColumnNameCache::reset(const Cursor& cursor) {
    keys_.clear();
    slots_.clear();
    slotOf_.clear();
    next_ = 0;
    for (int i = 0; i < cursor.columnCount(); ++i)
        keys_.push_back(columnNameKey(cursor.columnName(i)));
}

int ColumnNameCache::resolve(std::string_view name) const {
    std::string key = columnNameKey(name);
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] == key) return static_cast<int>(i);
    }
    return -1;
}

int ColumnNameCache::find(std::string_view name) {
    if (!slots_.empty()) {
        const Slot& expected = slots_[next_ < slots_.size() ? next_ : 0];
        if (expected.name == name) {
            next_ = static_cast<size_t>(&expected - slots_.data()) + 1;
            return expected.column;
        }
    }
    if (auto it = slotOf_.find(name); it != slotOf_.end()) {
        next_ = it->second + 1;
        return slots_[it->second].column;
    }
    int column = resolve(name);
    slots_.push_back({std::string(name), column});
    slotOf_.emplace(std::string(name), slots_.size() - 1);
    next_ = slots_.size();
    return column;
}

int32_t DrevoRecordSet::open(Driver& connection, std::string_view sql) {
    int32_t rc = connection.openCursor(sql, cursor_);
    if (rc != 0) return rc;
    names_.reset(*cursor_);
    columnNames_.clear();
    for (int i = 0; i < cursor_->columnCount(); ++i)
        columnNames_.emplace_back(cursor_->columnName(i));
    streaming_ = true;
    row_ = 0;
    return stepStream();
}

int32_t DrevoRecordSet::requery() {
    if (!cursor_) return kNoCurrentRecord;
    int32_t rc = cursor_->rewind();
    if (rc != 0) return rc;
    streaming_ = true;
    rows_.clear();
    row_ = 0;
    return stepStream();
}

int32_t DrevoRecordSet::stepStream() {
    names_.rowChanged();
    int32_t rc = cursor_->step(hasRow_);
    if (rc != 0) hasRow_ = false;
    return rc;
}

bool DrevoRecordSet::bof() const {
    if (streaming_) return !hasRow_ && row_ == 0;
    return rows_.empty() || position_ < 0;
}

bool DrevoRecordSet::eof() const {
    if (streaming_) return !hasRow_;
    return rows_.empty() || position_ >= static_cast<int64_t>(rows_.size());
}

int32_t DrevoRecordSet::moveNext() {
    if (streaming_) {
        if (!hasRow_) return kNoCurrentRecord;
        ++row_;
        return stepStream();
    }
    if (eof()) return kNoCurrentRecord;
    ++position_;
    names_.rowChanged();
    return 0;
}

int32_t DrevoRecordSet::moveFirst() {
    int32_t rc = materialise();
    if (rc != 0) return rc;
    if (rows_.empty()) return kNoCurrentRecord;
    position_ = 0;
    names_.rowChanged();
    return 0;
}

int32_t DrevoRecordSet::moveLast() {
    int32_t rc = materialise();
    if (rc != 0) return rc;
    if (rows_.empty()) return kNoCurrentRecord;
    position_ = static_cast<int64_t>(rows_.size()) - 1;
    names_.rowChanged();
    return 0;
}

int32_t DrevoRecordSet::movePrevious() {
    int32_t rc = materialise();
    if (rc != 0) return rc;
    if (bof()) return kNoCurrentRecord;
    --position_;
    names_.rowChanged();
    return 0;
}

int32_t DrevoRecordSet::recordCount(int32_t& count) {
    count = 0;
    int32_t rc = materialise();
    if (rc == 0) count = static_cast<int32_t>(rows_.size());
    return rc;
}

// Reads the query again from the start into memory and keeps the current position.
int32_t DrevoRecordSet::materialise() {
    if (!streaming_) return 0;
    if (!cursor_) return kNoCurrentRecord;
    int64_t current = hasRow_ ? row_ : -2;
    int32_t rc = cursor_->rewind();
    std::vector<std::vector<Variant>> rows;
    bool hasRow = false;
    while (rc == 0 && (rc = cursor_->step(hasRow)) == 0 && hasRow) {
        std::vector<Variant> values;
        values.reserve(static_cast<size_t>(cursor_->columnCount()));
        for (int i = 0; i < cursor_->columnCount(); ++i) values.push_back(streamValue(i));
        rows.push_back(std::move(values));
    }
    if (rc != 0) return rc;
    rows_ = std::move(rows);
    streaming_ = false;
    hasRow_ = false;
    position_ = current == -2 ? static_cast<int64_t>(rows_.size()) : current;
    names_.rowChanged();
    return 0;
}

int DrevoRecordSet::column(const ColumnIndex& index) {
    if (!index.byName()) {
        return index.ordinal() < static_cast<int>(columnNames_.size()) ? index.ordinal() : -1;
    }
    return names_.find(index.name());
}

Variant DrevoRecordSet::streamValue(int column) {
    switch (cursor_->columnType(column)) {
        case ColumnType::Null:
            return NullValue{};
        case ColumnType::Integer:
            return cursor_->columnInt(column);
        case ColumnType::Real:
            return cursor_->columnDouble(column);
        default:
            return std::string(cursor_->columnText(column));
    }
}

int32_t DrevoRecordSet::value(const ColumnIndex& index, Variant& out) {
    out = EmptyValue{};
    if (!cursor_ || bof() || eof()) return kNoCurrentRecord;
    int c = column(index);
    if (c < 0) return kNoSuchColumn;
    if (streaming_) {
        out = streamValue(c);
    } else {
        out = rows_[static_cast<size_t>(position_)][static_cast<size_t>(c)];
    }
    return 0;
}

int DrevoRecordSet::columnCount() const {
    return static_cast<int>(columnNames_.size());
}

std::string DrevoRecordSet::columnName(int column) const {
    if (column < 0 || column >= columnCount()) return {};
    return columnNames_[static_cast<size_t>(column)];
}

}  // namespace omrix::data
