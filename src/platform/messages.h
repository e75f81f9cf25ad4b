#pragma once
// Numbered messages and plain message boxes. The texts are ours; where they show
// depends on the sink: a message box on the desktop, a line on standard error in
// the command-line programs, a recorder in tests.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::platform {

// Styles and answers as the suite's message calls carry them.
inline constexpr int32_t kStyleOk = 0;
inline constexpr int32_t kStyleCritical = 16;
inline constexpr int32_t kStyleQuestion = 32;
inline constexpr int32_t kStyleExclamation = 48;
inline constexpr int32_t kStyleInformation = 64;
inline constexpr int32_t kStyleYesNo = 256;  // asks; the caller compares the answer with kAnswerNo
inline constexpr int16_t kAnswerOk = 1;
inline constexpr int16_t kAnswerYes = 6;
inline constexpr int16_t kAnswerNo = 7;

// The run-time's text for a Currency that leaves its range.
inline constexpr std::string_view kOverflowText = "オーバーフローしました。";

struct ShownMessage {
    int32_t number = 0;  // 0: a plain message box
    int32_t style = 0;
    std::string title;
    std::string text;  // the full text the user reads
    std::array<std::string, 3> params;
};

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // Returns the answer: kAnswerOk, or kAnswerYes / kAnswerNo for a question.
    virtual int16_t show(const ShownMessage& message) = 0;
};

// One line per message on standard error; questions are answered No.
class StderrSink : public MessageSink {
  public:
    int16_t show(const ShownMessage& message) override;
};

// Keeps every message for tests and answers questions with a preset answer.
class RecordingSink : public MessageSink {
  public:
    explicit RecordingSink(int16_t answer = kAnswerNo) : answer_(answer) {}
    int16_t show(const ShownMessage& message) override;
    const std::vector<ShownMessage>& messages() const { return messages_; }
    void setAnswer(int16_t answer) { answer_ = answer; }
    void clear() { messages_.clear(); }

  private:
    int16_t answer_;
    std::vector<ShownMessage> messages_;
};

// The catalogue text of a number with the three texts placed in it.
std::string formatMessage(int32_t number, std::string_view text1, std::string_view text2,
                          std::string_view text3);

// The line a command-line program prints for a message.
std::string messageLine(const ShownMessage& message);

// While it lives, messages shown on the thread that made it are kept here instead of
// shown: work on a thread of its own cannot open a window, so the window's thread
// shows them afterwards, in their order. Questions are answered No.
class ThreadMessageCapture {
  public:
    ThreadMessageCapture();
    ~ThreadMessageCapture();
    ThreadMessageCapture(const ThreadMessageCapture&) = delete;
    ThreadMessageCapture& operator=(const ThreadMessageCapture&) = delete;
    std::vector<ShownMessage> take() { return std::move(kept_.messages_); }

  private:
    struct Keeper : MessageSink {
        int16_t show(const ShownMessage& message) override;
        std::vector<ShownMessage> messages_;
    } kept_;
    MessageSink* outer_;
};

// Shows messages kept on another thread, each as it was first shown.
void showKeptMessages(const std::vector<ShownMessage>& messages);

int16_t fnPIMORA01_DispMessage(int32_t number, int32_t style, std::string_view text1 = {},
                               std::string_view text2 = {}, std::string_view text3 = {});

int16_t showMessageBox(std::string_view text, int32_t style = kStyleOk,
                       std::string_view title = {});

}  // namespace omrix::platform
