#include "breakdown/tree/program_values.h"

#include <string>

#include "context/app_context.h"

namespace omrix::breakdown {

int32_t programEditMode() {
    return context::appContext().EditMode;
}

int32_t programUchiwakeNameId() {
    return context::appContext().UchiwakeName.内訳名称ＩＤ;
}

namespace {
thread_local std::vector<std::string>* threadOverflows = nullptr;
}

ThreadOverflowCapture::ThreadOverflowCapture(std::vector<std::string>& kept)
    : outer_(threadOverflows) {
    threadOverflows = &kept;
}

ThreadOverflowCapture::~ThreadOverflowCapture() {
    threadOverflows = outer_;
}

void noteAmountOverflow(int32_t uchiwakeId, std::string_view column) {
    std::vector<std::string>& kept =
        threadOverflows != nullptr ? *threadOverflows : context::appContext().AmountOverflows;
    kept.push_back("内訳ＩＤ " + std::to_string(uchiwakeId) + "の" + std::string(column));
}

}  // namespace omrix::breakdown
