#include "platform/messages.h"

#include <gtest/gtest.h>

#include "context/app_context.h"
#include "context/fresh_context.h"

namespace omrix::platform {
namespace {

// Texts placed in the catalogue's message, the sink's answer, one line for the console.
TEST(Messages, PlaceTheTextsAskTheSinkAndPrintOneLine) {
    testing::FreshContext fresh;
    auto sink = std::make_shared<RecordingSink>();
    context::appContext().Messages = sink;
    fnPIMORA01_DispMessage(3010, kStyleOk, "環境Ｍの取得", "", "sbReadKankyo");
    EXPECT_EQ(sink->messages()[0].text, "環境Ｍの取得に失敗しました。（sbReadKankyo）");
    sink->setAnswer(kAnswerYes);
    EXPECT_EQ(fnPIMORA01_DispMessage(2006, kStyleYesNo, "現在の情報を破棄して物件情報"),
              kAnswerYes);
    EXPECT_EQ(sink->messages()[1].text,
              "現在の情報を破棄して物件情報を取り込みます。よろしいですか？");
    fnPIMORA01_DispMessage(9999, kStyleOk, "a", "b", "");  // unknown: its texts still shown
    EXPECT_NE(sink->messages().back().text.find("ab"), std::string::npos);

    std::string line = messageLine(sink->messages()[0]);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    for (const char* part : {"3010", "環境Ｍの取得", "sbReadKankyo"})
        EXPECT_NE(line.find(part), std::string::npos) << part;
    // Line breaks inside a text still make one line.
    ShownMessage lines;
    lines.title = "題";
    lines.text = "一行目\r\n二行目\n\n三";
    EXPECT_EQ(messageLine(lines), "題: 一行目 二行目 三");
}

}  // namespace
}  // namespace omrix::platform
