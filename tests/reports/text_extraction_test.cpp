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

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, '\n');) lines.push_back(line);
    return lines;
}

TEST_F(TextExtraction, PdfTextNamesTheIdeographsNotTheRadicals) {
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
    std::vector<std::string> raw = split(omrix::testing::pdfRawText(path));
    for (const std::string& line : kLines)
        EXPECT_EQ(std::count(raw.begin(), raw.end(), line), 2) << line;
}

// The fonts are in the file, not left to the reader.
TEST_F(TextExtraction, TheDerivedFontsAreEmbedded) {
    std::string fonts = pdfFonts(paint());
    EXPECT_EQ(fonts.find("IPAex"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("OmrixPrintGothic"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("OmrixPrintMincho"), std::string::npos) << fonts;
    std::istringstream lines(fonts);
    int embedded = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name, type1, type2, encoding, emb;
        words >> name >> type1 >> type2 >> encoding >> emb;
        if (name.find("OmrixPrint") == std::string::npos) continue;
        EXPECT_EQ(emb, "yes") << line;
        ++embedded;
    }
    EXPECT_EQ(embedded, 2) << fonts;
}

}  // namespace
}  // namespace omrix::reports
