#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <sstream>
#include <vector>

#include "context/temp_folder.h"
#include "reports/page_painter.h"
#include "reports/report_fixture.h"
#include "reports/report_fonts.h"

namespace omrix::reports {
namespace {

using omrix::testing::pdfFonts;
using omrix::testing::pdfText;

// Words that IPAex's cmap also reaches from a Kangxi radical (工 見 金 用 …) or that
// share a glyph with a look-alike (〜 ～). pdftotext gives any blank as a space, so
// the ideographic space cannot be told apart there.
const std::vector<std::string> kLines = {
    "見積要項", "工事概要", "内訳書", "工事 金額 用途", "一式〜十式", "１～５",
};

class TextExtraction : public ::testing::Test {
  protected:
    void SetUp() override { omrix::testing::ensureGuiApplication(); }

    // One A4 page with every line in both faces, a face per column.
    std::string paint() {
        std::string error;
        ReportFonts fonts;
        EXPECT_TRUE(loadReportFonts(fonts, error)) << error;
        std::string path = folder.file("text.pdf");
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
        painter.end();
        return path;
    }

    omrix::testing::TempFolder folder;
};

// The text comes back as the ideographs painted, not the radicals, and the derived fonts
// are in the file, not left to the reader.
TEST_F(TextExtraction, PdfTextNamesTheIdeographsFromTheEmbeddedFonts) {
    std::string path = paint();
    std::string text = pdfText(path);
    for (const std::string& line : kLines) {
        // -layout keeps each column's line whole; the two faces give it twice.
        auto at = text.find(line);
        ASSERT_NE(at, std::string::npos) << "missing " << line << " in\n" << text;
        EXPECT_NE(text.find(line, at + line.size()), std::string::npos) << line << "\n" << text;
    }
    // No character of the radical blocks (U+2E80 … U+2FDF: E2 BA 80 … E2 BF 9F) came out.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        auto lead = static_cast<unsigned char>(text[i]);
        auto next = static_cast<unsigned char>(text[i + 1]);
        EXPECT_FALSE(lead == 0xE2 && next >= 0xBA && next <= 0xBF) << "radical at " << i;
    }
    // Without the layout the words come back line by line, exactly.
    std::string raw = "\n" + omrix::testing::pdfRawText(path);
    for (const std::string& line : kLines) {
        auto first = raw.find("\n" + line + "\n");
        ASSERT_NE(first, std::string::npos) << line;
        EXPECT_NE(raw.find("\n" + line + "\n", first + 1), std::string::npos) << line;
    }

    std::istringstream fonts(pdfFonts(path));
    std::vector<std::string> embedded;
    for (std::string line; std::getline(fonts, line);) {
        std::istringstream words(line);
        std::string name, type1, type2, encoding, emb;
        words >> name >> type1 >> type2 >> encoding >> emb;
        EXPECT_EQ(name.find("IPAex"), std::string::npos) << line;
        if (name.find("OmrixPrint") != std::string::npos && emb == "yes")
            embedded.push_back(name.substr(name.find('+') + 1));
    }
    std::sort(embedded.begin(), embedded.end());
    EXPECT_EQ(embedded, (std::vector<std::string>{"OmrixPrintGothic", "OmrixPrintMincho"}));
}

}  // namespace
}  // namespace omrix::reports
