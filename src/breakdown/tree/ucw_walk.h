#pragma once
// Walks the lines below a line in pre-order (a line before its children, children
// in sibling order) without recursion, so deep trees cannot exhaust the stack; and
// the lines above a line, nearest first.

#include "breakdown/tree/edit_ucw.h"

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

// The nearest of `from` and the lines above it (parent, grandparent, …) for which
// found(line) is true; nullptr when none is. `from` may be null.
template <typename Line, typename Found>
Line* findAbove(Line* from, Found&& found) {
    for (Line* line = from; line != nullptr; line = line->fnGetParent()) {
        if (found(line)) return line;
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
