#pragma once
// Shown messages as "number|text1|text2|text3": a whole list in one comparison.

#include <string>
#include <vector>

#include "platform/messages.h"

namespace omrix::testing {

inline std::vector<std::string> shownTexts(const platform::RecordingSink& sink) {
    std::vector<std::string> out;
    for (const platform::ShownMessage& m : sink.messages()) {
        out.push_back(std::to_string(m.number) + "|" + m.params[0] + "|" + m.params[1] + "|" +
                      m.params[2]);
    }
    return out;
}

using Shown = std::vector<std::string>;

}  // namespace omrix::testing
