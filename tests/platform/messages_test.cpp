#include "platform/messages.h"

#include <gtest/gtest.h>

#include "context/app_context.h"
#include "context/fresh_context.h"

namespace omrix::platform {
namespace {

class MessagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sink = std::make_shared<RecordingSink>();
        context::appContext().Messages = sink;
    }
    testing::FreshContext fresh_;
    std::shared_ptr<RecordingSink> sink;
};

TEST_F(MessagesTest, PlacesTheThreeTextsAndNamesTheProcedure) {
    fnPIMORA01_DispMessage(3010, kStyleOk, "環境Ｍの取得", "", "sbReadKankyo");
    ASSERT_EQ(sink->messages().size(), 1u);
    const auto& m = sink->messages()[0];
    EXPECT_EQ(m.number, 3010);
    EXPECT_EQ(m.text, "環境Ｍの取得に失敗しました。（sbReadKankyo）");
    EXPECT_EQ(m.params[2], "sbReadKankyo");

    fnPIMORA01_DispMessage(3005, kStyleOk, "Iniファイルパスの取得",
                           "アプリケーションを起動できません。");
    EXPECT_EQ(sink->messages()[1].text,
              "Iniファイルパスの取得でエラーが発生しました。アプリケーションを起動できません。");
}

TEST_F(MessagesTest, QuestionsGetTheSinksAnswerOthersOk) {
    EXPECT_EQ(fnPIMORA01_DispMessage(2003, kStyleYesNo), kAnswerNo);
    sink->setAnswer(kAnswerYes);
    EXPECT_EQ(fnPIMORA01_DispMessage(2006, kStyleYesNo, "現在の情報を破棄して物件情報"),
              kAnswerYes);
    EXPECT_EQ(sink->messages()[1].text,
              "現在の情報を破棄して物件情報を取り込みます。よろしいですか？");
    EXPECT_EQ(fnPIMORA01_DispMessage(4003, kStyleOk), kAnswerOk);
}

TEST_F(MessagesTest, UnknownNumberStillShowsItsTexts) {
    fnPIMORA01_DispMessage(9999, kStyleOk, "a", "b", "");
    EXPECT_NE(sink->messages()[0].text.find("9999"), std::string::npos);
    EXPECT_NE(sink->messages()[0].text.find("ab"), std::string::npos);
}

TEST_F(MessagesTest, StderrLineHoldsNumberAndAllTexts) {
    ShownMessage m{3024,
                   kStyleOk,
                   "",
                   formatMessage(3024, "\"x\"", "", "VBFILE_WriteINI"),
                   {"\"x\"", "", "VBFILE_WriteINI"}};
    std::string line = messageLine(m);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find("3024"), std::string::npos);
    EXPECT_NE(line.find("\"x\""), std::string::npos);
    EXPECT_NE(line.find("VBFILE_WriteINI"), std::string::npos);
}

}  // namespace
}  // namespace omrix::platform
