#pragma once
// How the typed readers turn a column value into their type. Null and Empty give
// the type's empty value; a value that does not convert or does not fit gives it too,
// as no reader may fail visibly.

#include <cstdint>
#include <optional>
#include <string>

#include "data/core/variant.h"
#include "util/currency.h"

namespace omrix::data {

// Numbers from integers, reals and number texts; whole numbers round half to even.
std::optional<double> variantToDouble(const Variant& v);
std::optional<int64_t> variantToWhole(const Variant& v, int64_t lowest, int64_t highest);

util::Currency variantToCurrency(const Variant& v);
// For callers that must not take a bad stored value for 0: Null and Empty give 0,
// nullopt a value that is no number or lies outside what a Currency holds.
std::optional<util::Currency> variantToCurrencyChecked(const Variant& v);
// Texts in the database's date forms; numbers as days since the zero date.
DateTime variantToDate(const Variant& v);
// Non-zero numbers, and "true" in any case, are True.
bool variantToBool(const Variant& v);

}  // namespace omrix::data
