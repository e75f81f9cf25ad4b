#pragma once
// The suite's calculator: evaluates the arithmetic that estimators type into
// quantity and unit-price formulas. Text in, a double out, 0 for failure.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace omrix::platform {

// Full-width digits, operators, brackets and blanks become their ASCII forms.
std::string normalizeExpression(std::string_view text);

// One parser kept for many evaluations; building a parser costs far more than
// evaluating a short formula, so callers that evaluate in a loop keep one.
class Calculator {
  public:
    Calculator();
    ~Calculator();
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // nullopt for malformed text, unknown names and results that are not finite
    // (division by zero among them).
    std::optional<double> evaluate(std::string_view text);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Evaluates text (left there in its normalised form) into result. Returns 1 on
// success and 0 on failure, with result 0. Mode 2 is the only mode in use and
// is not otherwise interpreted. Without a calculator a parser is made for the call.
int32_t QUILAN00_Calculation(std::string& text, int32_t mode, double& result,
                             Calculator* calculator = nullptr);

}  // namespace omrix::platform
