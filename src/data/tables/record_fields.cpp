#include "data/tables/record_fields.h"

namespace omrix::data {

std::string fullWidthNumber(int number) {
    static constexpr const char* kDigits[] = {"０", "１", "２", "３", "４",
                                              "５", "６", "７", "８", "９"};
    if (number < 0) return "－" + fullWidthNumber(-number);
    std::string out = number >= 10 ? fullWidthNumber(number / 10) : std::string();
    return out + kDigits[number % 10];
}

}  // namespace omrix::data
