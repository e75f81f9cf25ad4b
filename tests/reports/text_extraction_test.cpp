// Report text painted in the derived fonts comes back from the PDF as the ideographs
// painted, not as the look-alike radicals, and the fonts are in the file.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <sstream>

#include "reports/page_painter.h"
#include "reports/report_fixture.h"
#include "reports/report_fonts.h"

namespace omrix::reports {
namespace {

// Words that IPAex's cmap also reaches from a Kangxi radical (工 見 金 用 …) or that
// share a glyph with a look-alike (〜 ～). pdftotext gives any blank as a space, so
// the ideographic space cannot be told apart there.
const std::string kLines[] = {"見積要項", "工事概要", "工事 金額 用途", "一式〜十式", "１～５"};

TEST(TextExtraction, PdfTextNamesTheIdeographsFromTheEmbeddedFonts) {
    omrix::testing::ensureGuiApplication();
    std::string error;
    ReportFonts fonts;
    ASSERT_TRUE(loadReportFonts(fonts, error)) << error;
    omrix::testing::TempFolder folder;
    const std::string path = folder.file("text.pdf");
    {  // every line in both faces, a face per column
        QPdfWriter writer(QString::fromStdString(path));
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        QPainter painter(&writer);
        painter.scale(writer.width() / (210 * kUnitsPerMm), writer.height() / (297 * kUnitsPerMm));
        PagePainter page(painter, fonts);
        double y = 20;
        for (const std::string& line : kLines) {
            page.text({20, y, 80, 8}, line, {6.0, Face::Gothic});
            page.text({110, y, 80, 8}, line, {6.0, Face::Mincho});
            y += 12;
        }
    }
    std::string text = omrix::testing::pdfText(path);
    for (const std::string& line : kLines) {
        auto at = text.find(line);  // -layout keeps each column's line whole
        ASSERT_NE(at, std::string::npos) << "missing " << line << " in\n" << text;
        EXPECT_NE(text.find(line, at + line.size()), std::string::npos) << line << "\n" << text;
    }
    // No character of the radical blocks (U+2E80 … U+2FDF: E2 BA 80 … E2 BF 9F) came out.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        auto lead = static_cast<unsigned char>(text[i]);
        auto next = static_cast<unsigned char>(text[i + 1]);
        EXPECT_FALSE(lead == 0xE2 && next >= 0xBA && next <= 0xBF) << "radical at " << i;
    }

    std::istringstream lines(omrix::testing::pdfFonts(path));
    int embedded = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name, type1, type2, encoding, emb;
        words >> name >> type1 >> type2 >> encoding >> emb;
        EXPECT_EQ(name.find("IPAex"), std::string::npos) << line;
        embedded += name.find("OmrixPrint") != std::string::npos && emb == "yes" ? 1 : 0;
    }
    EXPECT_EQ(embedded, 2);  // Gothic and Mincho
}

}  // namespace
}  // namespace omrix::reports
