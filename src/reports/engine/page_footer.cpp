#include "reports/engine/report_document.h"

namespace omrix::reports {

void paintPageNumber(PagePainter& painter, const Paper& paper, int page, int pageCount) {
    // Under the body in the bottom margin of every layout.
    MmRect band{0, paper.heightMm - 11, paper.widthMm, 5};
    painter.text(band, std::to_string(page) + " / " + std::to_string(pageCount),
                 {3.0, Face::Gothic, Align::Center});
}

}  // namespace omrix::reports
