#pragma once
// The painter's alignments as workbook cell alignments.

#include "reports/engine/page_painter.h"
#include "reports/workbooks/workbook_writer.h"

namespace omrix::reports {

inline CellAlign cellAlign(Align align) {
    switch (align) {
        case Align::Center:
            return CellAlign::Center;
        case Align::Right:
            return CellAlign::Right;
        case Align::Left:
            break;
    }
    return CellAlign::Left;
}

}  // namespace omrix::reports
