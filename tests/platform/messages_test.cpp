#include "platform/messages.h"

#include <gtest/gtest.h>

#include "context/app_context.h"
#include "context/fresh_context.h"

namespace omrix::platform {
namespace {

class MessagesTest : public ::testing::Test {
  protected:
    void SetUp() override { context::appContext().Messages = sink; }
    testing::FreshContext fresh_;
    std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
};

TEST_F(MessagesTest, PlacesTheTextsAndGivesTheSinksAnswerToQuestions) {
    fnPIMORA01_DispMessage(3010, kStyleOk, "環境Ｍの取得", "", "sbReadKankyo");
    EXPECT_EQ(sink->messages()[0].text, "環境Ｍの取得に失敗しました。（sbReadKankyo）");
    EXPECT_EQ(fnPIMORA01_DispMessage(2003, kStyleYesNo), kAnswerNo);
    sink->setAnswer(kAnswerYes);
    EXPECT_EQ(fnPIMORA01_DispMessage(2006, kStyleYesNo, "現在の情報を破棄して物件情報"),
              kAnswerYes);
    EXPECT_EQ(sink->messages()[2].text,
              "現在の情報を破棄して物件情報を取り込みます。よろしいですか？");
    EXPECT_EQ(fnPIMORA01_DispMessage(4003, kStyleOk), kAnswerOk);
    // An unknown number still shows its texts.
    fnPIMORA01_DispMessage(9999, kStyleOk, "a", "b", "");
    EXPECT_NE(sink->messages().back().text.find("9999"), std::string::npos);
    EXPECT_NE(sink->messages().back().text.find("ab"), std::string::npos);
}

TEST_F(MessagesTest, StderrLineHoldsNumberAndAllTexts) {
    ShownMessage m{3024,
                   kStyleOk,
                   "",
                   formatMessage(3024, "\"x\"", "", "VBFILE_WriteINI"),
                   {"\"x\"", "", "VBFILE_WriteINI"}};
    std::string line = messageLine(m);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    for (const char* part : {"3024", "\"x\"", "VBFILE_WriteINI"})
        EXPECT_NE(line.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace omrix::platform
