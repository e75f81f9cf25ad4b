#include "platform/messages.h"

#include <cstdio>
#include <map>

#include "context/app_context.h"

namespace omrix::platform {
namespace {

// %1, %2, %3 stand for the three texts.
const std::map<int32_t, std::string_view>& catalogue() {
    static const std::map<int32_t, std::string_view> texts = {
        {2003, "変更内容が保存されていません。保存せずに終了してもよろしいですか？"},
        {2006, "%1を取り込みます。よろしいですか？"},
        {3005, "%1でエラーが発生しました。%2"},
        {3010, "%1に失敗しました。%2"},
        {3024, "設定ファイル（OMRIX.INI）への書き込みに失敗しました。書き込む値：%1"},
        {4003, "登録が完了しました。"},
    };
    return texts;
}

std::string placeTexts(std::string_view pattern, const std::array<std::string_view, 3>& texts) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '3') {
            out += texts[pattern[i + 1] - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

bool isQuestion(int32_t style) {
    return (style & kStyleYesNo) != 0 || (style & 0x0F) == 4;
}

thread_local MessageSink* threadSink = nullptr;

int16_t deliver(const ShownMessage& message) {
    if (threadSink != nullptr) return threadSink->show(message);
    auto& sink = context::appContext().Messages;
    if (sink) return sink->show(message);
    StderrSink fallback;
    return fallback.show(message);
}

}  // namespace

std::string formatMessage(int32_t number, std::string_view text1, std::string_view text2,
                          std::string_view text3) {
    const auto& texts = catalogue();
    auto it = texts.find(number);
    std::string body = it != texts.end()
                           ? placeTexts(it->second, {text1, text2, text3})
                           : placeTexts("メッセージ番号 " + std::to_string(number) + "：%1%2",
                                        {text1, text2, text3});
    // The procedure name goes last so that support staff can find the failing place.
    if (!text3.empty() && number >= 3000 && number < 4000) {
        body += "（";
        body += text3;
        body += "）";
    }
    return body;
}

std::string messageLine(const ShownMessage& message) {
    std::string line;
    if (message.number != 0) {
        line = "message " + std::to_string(message.number) + ": " + message.text + " [" +
               message.params[0] + "|" + message.params[1] + "|" + message.params[2] + "]";
    } else {
        line = message.title.empty() ? message.text : message.title + ": " + message.text;
    }
    // A text of several lines (the suite's messages break theirs with CR LF) still
    // prints as one line: a run of line breaks becomes one blank.
    std::string oneLine;
    for (char c : line) {
        if (c != '\r' && c != '\n') {
            oneLine += c;
        } else if (oneLine.empty() || oneLine.back() != ' ') {
            oneLine += ' ';
        }
    }
    return oneLine;
}

int16_t StderrSink::show(const ShownMessage& message) {
    std::fprintf(stderr, "%s\n", messageLine(message).c_str());
    std::fflush(stderr);
    return isQuestion(message.style) ? kAnswerNo : kAnswerOk;
}

int16_t RecordingSink::show(const ShownMessage& message) {
    messages_.push_back(message);
    return isQuestion(message.style) ? answer_ : kAnswerOk;
}

ThreadMessageCapture::ThreadMessageCapture() : outer_(threadSink) {
    threadSink = &kept_;
}

ThreadMessageCapture::~ThreadMessageCapture() {
    threadSink = outer_;
}

int16_t ThreadMessageCapture::Keeper::show(const ShownMessage& message) {
    messages_.push_back(message);
    return isQuestion(message.style) ? kAnswerNo : kAnswerOk;
}

void showKeptMessages(const std::vector<ShownMessage>& messages) {
    for (const ShownMessage& message : messages) deliver(message);
}

int16_t fnPIMORA01_DispMessage(int32_t number, int32_t style, std::string_view text1,
                               std::string_view text2, std::string_view text3) {
    ShownMessage message;
    message.number = number;
    message.style = style;
    message.text = formatMessage(number, text1, text2, text3);
    message.params = {std::string(text1), std::string(text2), std::string(text3)};
    return deliver(message);
}

int16_t showMessageBox(std::string_view text, int32_t style, std::string_view title) {
    ShownMessage message;
    message.style = style;
    message.title = std::string(title);
    message.text = std::string(text);
    return deliver(message);
}

}  // namespace omrix::platform
