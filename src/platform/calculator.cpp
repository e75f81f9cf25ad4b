#include "platform/calculator.h"

#include <muParser.h>

#include <cmath>
#include <utility>

namespace omrix::platform {
namespace {

// Full-width forms typed through a Japanese input method and their ASCII forms.
constexpr std::pair<std::string_view, char> kWideForms[] = {
    {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'},
    {"７", '7'}, {"８", '8'}, {"９", '9'}, {"＋", '+'}, {"－", '-'}, {"−", '-'},  {"×", '*'},
    {"÷", '/'},  {"＊", '*'}, {"／", '/'}, {"（", '('}, {"）", ')'}, {"．", '.'}, {"　", ' '},
};

}  // namespace

std::string normalizeExpression(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            for (const auto& [wide, ascii] : kWideForms) {
                if (text.substr(i, wide.size()) == wide) {
                    out += ascii;
                    i += wide.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

struct Calculator::Impl {
    mu::Parser parser;
};

Calculator::Calculator() : impl_(std::make_unique<Impl>()) {}
Calculator::~Calculator() = default;

std::optional<double> Calculator::evaluate(std::string_view text) {
    std::string expression = normalizeExpression(text);
    try {
        impl_->parser.SetExpr(expression);
        double value = impl_->parser.Eval();
        // "1,000" would read as two expressions and give the last; refuse it.
        if (impl_->parser.GetNumResults() != 1) return std::nullopt;
        if (!std::isfinite(value)) return std::nullopt;
        return value;
    } catch (const mu::Parser::exception_type&) {
        return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

int32_t QUILAN00_Calculation(std::string& text, int32_t /*mode*/, double& result,
                             Calculator* calculator) {
    result = 0.0;
    text = normalizeExpression(text);
    std::optional<double> value;
    if (calculator != nullptr) {
        value = calculator->evaluate(text);
    } else {
        try {
            Calculator own;
            value = own.evaluate(text);
        } catch (const std::exception&) {
            value = std::nullopt;  // a parser that cannot be built is a failed calculation
        }
    }
    if (!value) return 0;
    result = *value;
    return 1;
}

}  // namespace omrix::platform
