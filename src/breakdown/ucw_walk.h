#pragma once
// Walks the lines below a line in pre-order (a line before its children, children
// in sibling order) without recursion, so deep trees cannot exhaust the stack.

#include "breakdown/edit_ucw.h"

namespace omrix::breakdown {

// Calls visit(line) for every line below top until it returns true; returns that
// line, or nullptr when the walk ran to its end.
template <typename Line, typename Visit>
Line* findBelow(Line* top, Visit&& visit) {
    Line* line = top->fnGetTopChild();
    while (line != nullptr) {
        if (visit(line)) return line;
        if (line->fnGetTopChild() != nullptr) {
            line = line->fnGetTopChild();
            continue;
        }
        while (line != top && line->fnGetNext() == nullptr) line = line->fnGetParent();
        if (line == top) break;
        line = line->fnGetNext();
    }
    return nullptr;
}

// The same with the top line visited first when meToo.
template <typename Line, typename Visit>
Line* findFrom(Line* top, bool meToo, Visit&& visit) {
    if (meToo && visit(top)) return top;
    return findBelow(top, visit);
}

}  // namespace omrix::breakdown
