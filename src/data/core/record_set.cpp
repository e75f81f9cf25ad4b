#include <chrono>
#include <cstdio>
#include <ctime>
#include <limits>

#include "data/core/database.h"
#include "data/core/debug_log.h"
#include "data/core/drevo_ext.h"
#include "data/core/value_conversion.h"
#include "util/ascii.h"

namespace omrix::data {
namespace {

std::string traceHeader() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::snprintf(text, sizeof text, "-----<<< %04d/%02d/%02d %02d:%02d:%02d >>> -----",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec);
    return text;
}

// The names between "SELECT " and " FROM", each after a tab; empty for other texts.
std::string traceColumns(std::string_view sql) {
    const std::string upper = util::toAsciiUpper(sql);
    if (upper.rfind("SELECT ", 0) != 0) return {};
    size_t from = upper.find(" FROM", 7);
    if (from == std::string::npos) return {};
    std::string_view names = sql.substr(7, from - 7);
    std::string line;
    while (true) {
        size_t comma = names.find(',');
        line += '\t';
        line += names.substr(0, comma);
        if (comma == std::string_view::npos) break;
        names.remove_prefix(comma + 1);
    }
    return line;
}

std::string indexText(const ColumnIndex& index) {
    return index.byName() ? std::string(index.name()) : std::to_string(index.ordinal());
}

}  // namespace

struct CCCDBS_RecordSet::Impl {
    int64_t connection = 0;
    std::unique_ptr<DrevoRecordSet> recordSet;
    int32_t readCount = 0;
    DebugLog log;
    // The statement names a password column: no value it reads is traced, since an
    // alias can carry a password under any name.
    bool hideValues = false;

    bool isOpen() const { return recordSet != nullptr; }

    // Every reader goes through here, so that the trace sees every value read.
    Variant read(const ColumnIndex& index) {
        Variant value;
        if (!recordSet) return value;
        fnDrevoExt_GetVariantData(value, index, *recordSet);
        if (log.enabled()) {
            log.append("\t");
            // Null as an empty text, as the trace always had it
            log.append(hideValues || isPasswordColumn(nameOf(index)) ? kHiddenValue
                                                                     : variantToText(value));
        }
        return value;
    }

    std::string nameOf(const ColumnIndex& index) const {
        if (index.byName()) return std::string(index.name());
        return recordSet ? recordSet->columnName(index.ordinal()) : std::string();
    }

    bool setValue(std::string_view what, const ColumnIndex& index, const Variant& data,
                  bool second) {
        if (log.enabled())
            log.writeLine(std::string(what) + ":" + indexText(index) + " = " +
                          (isPasswordColumn(nameOf(index)) ? std::string(kHiddenValue)
                                                           : variantToText(data)));
        if (!recordSet) return false;
        return (second ? fnDrevoExt_SetVariantData2(index, data, *recordSet)
                       : fnDrevoExt_SetVariantData(index, data, *recordSet)) == 0;
    }
};

CCCDBS_RecordSet::CCCDBS_RecordSet() : CCCDBS_RecordSet(readDebugSettings()) {}

CCCDBS_RecordSet::CCCDBS_RecordSet(const DebugSettings& debug) : impl_(std::make_unique<Impl>()) {
    impl_->log = DebugLog(debug, "\\DBS_RECORDSET.LOG");
}

CCCDBS_RecordSet::~CCCDBS_RecordSet() {
    fnClose();
}

bool CCCDBS_RecordSet::fnOpen(std::string_view sql, int64_t connection, int32_t curType,
                              int32_t lockType, int32_t options) {
    Impl& d = *impl_;
    if (d.log.enabled()) {
        d.readCount = 0;
        d.log.writeLine(traceHeader());
        d.hideValues = namesPasswordColumn(sql);
        d.log.writeLine(withoutPasswords(sql));
        if (std::string columns = traceColumns(sql); !columns.empty()) d.log.writeLine(columns);
    }
    if (d.isOpen()) return true;
    Driver* driver = connectionFromHandle(connection);
    std::unique_ptr<DrevoRecordSet> opened;
    int32_t rc = -1;
    if (driver != nullptr && (fnDrevoExt_GetState(2, driver) & 1) != 0)
        rc = fnDrevoExt_Open(sql, *driver, opened, curType, lockType, options);
    if (rc == 0 && opened) {
        d.connection = connection;
        d.recordSet = std::move(opened);
        return true;
    }
    if (d.log.enabled())
        d.log.writeLine("レコードセットオープン失敗ステータス = " + std::to_string(rc) +
                        " lRecordSet = 0");
    return false;
}

bool CCCDBS_RecordSet::fnClose() {
    Impl& d = *impl_;
    if (!d.isOpen()) return true;
    if (d.log.enabled()) d.log.writeLine("");
    bool ok = fnDrevoExt_Close(d.recordSet) == 0;
    d.recordSet.reset();
    d.connection = 0;
    return ok;
}

bool CCCDBS_RecordSet::fnRequery() {
    return impl_->isOpen() && fnDrevoExt_Requery(*impl_->recordSet) == 0;
}

int32_t CCCDBS_RecordSet::plRecordCount() const {
    return impl_->isOpen() ? fnDrevoExt_GetRecordCount(*impl_->recordSet) : 0;
}

bool CCCDBS_RecordSet::pbBOF() const {
    return !impl_->isOpen() || fnDrevoExt_GetBOF(*impl_->recordSet) != 0;
}

bool CCCDBS_RecordSet::pbEOF() const {
    return !impl_->isOpen() || fnDrevoExt_GetEOF(*impl_->recordSet) != 0;
}

bool CCCDBS_RecordSet::fnMoveFirst() {
    return impl_->isOpen() && fnDrevoExt_MoveFirst(*impl_->recordSet) == 0;
}

bool CCCDBS_RecordSet::fnMoveLast() {
    return impl_->isOpen() && fnDrevoExt_MoveLast(*impl_->recordSet) == 0;
}

bool CCCDBS_RecordSet::fnMovePrevious() {
    return impl_->isOpen() && fnDrevoExt_MovePrevious(*impl_->recordSet) == 0;
}

bool CCCDBS_RecordSet::fnMoveNext() {
    Impl& d = *impl_;
    if (!d.isOpen()) return false;
    if (d.log.enabled()) {
        ++d.readCount;
        d.log.writeLine("");
    }
    return fnDrevoExt_MoveNext(*d.recordSet) == 0;
}

bool CCCDBS_RecordSet::fnAddNew() {
    if (impl_->log.enabled()) impl_->log.writeLine("fnAddNew");
    return impl_->isOpen() && fnDrevoExt_AddNew(*impl_->recordSet) == 0;
}

bool CCCDBS_RecordSet::fnUpdate() {
    if (impl_->log.enabled()) impl_->log.writeLine("fnUpdate");
    return impl_->isOpen() && fnDrevoExt_Update(*impl_->recordSet) == 0;
}

bool CCCDBS_RecordSet::fnDelete() {
    if (impl_->log.enabled()) impl_->log.writeLine("fnDelete");
    return impl_->isOpen() && fnDrevoExt_Delete(*impl_->recordSet) == 0;
}

bool CCCDBS_RecordSet::fnSetVariant(const ColumnIndex& index, const Variant& data) {
    return impl_->setValue("fnSetVariant", index, data, false);
}

bool CCCDBS_RecordSet::fnSetVariant2(const ColumnIndex& index, const Variant& data) {
    return impl_->setValue("fnSetVariant", index, data, true);
}

bool CCCDBS_RecordSet::fnSetBinary(const ColumnIndex& index, const Variant& data) {
    return impl_->setValue("fnSetBinary", index, data, true);
}

Variant CCCDBS_RecordSet::fnGetVariant(const ColumnIndex& index) {
    return impl_->read(index);
}

Variant CCCDBS_RecordSet::fnGetVariant2(const ColumnIndex& index) {
    Variant value;
    if (impl_->isOpen()) fnDrevoExt_GetVariantData2(value, index, *impl_->recordSet);
    return value;
}

std::string CCCDBS_RecordSet::fnGetChar(const ColumnIndex& index) {
    return variantToText(impl_->read(index));
}

uint8_t CCCDBS_RecordSet::fnGetTinyInt(const ColumnIndex& index) {
    return static_cast<uint8_t>(variantToWhole(impl_->read(index), 0, 255).value_or(0));
}

double CCCDBS_RecordSet::fnGetHdouble(const ColumnIndex& index) {
    return variantToDouble(impl_->read(index)).value_or(0.0);
}

float CCCDBS_RecordSet::fnGetFloat(const ColumnIndex& index) {
    double value = variantToDouble(impl_->read(index)).value_or(0.0);
    if (std::abs(value) > std::numeric_limits<float>::max()) return 0.0f;
    return static_cast<float>(value);
}

int16_t CCCDBS_RecordSet::fnGetSmallInt(const ColumnIndex& index) {
    return static_cast<int16_t>(
        variantToWhole(impl_->read(index), INT16_MIN, INT16_MAX).value_or(0));
}

int32_t CCCDBS_RecordSet::fnGetInt(const ColumnIndex& index) {
    return static_cast<int32_t>(
        variantToWhole(impl_->read(index), INT32_MIN, INT32_MAX).value_or(0));
}

DateTime CCCDBS_RecordSet::fnGetDate(const ColumnIndex& index) {
    return variantToDate(impl_->read(index));
}

util::Currency CCCDBS_RecordSet::fnGetMoney(const ColumnIndex& index) {
    return variantToCurrency(impl_->read(index));
}

bool CCCDBS_RecordSet::fnGetBit(const ColumnIndex& index) {
    return variantToBool(impl_->read(index));
}

int CCCDBS_RecordSet::columnCount() const {
    return impl_->isOpen() ? impl_->recordSet->columnCount() : 0;
}

std::string CCCDBS_RecordSet::columnName(int ordinal) const {
    return impl_->isOpen() ? impl_->recordSet->columnName(ordinal) : std::string();
}

}  // namespace omrix::data
