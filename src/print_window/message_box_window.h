#pragma once
// Numbered messages and message boxes of the desktop program as real QMessageBoxes.

#include "platform/messages.h"

class QWidget;

namespace omrix::print_window {

// The caption of numbered messages, which carry no title of their own.
inline constexpr const char* kMessageCaption = "内訳書出力";

// The hourglass of a long step gives way to the arrow while a window waits for the user.
class ArrowWhileAsking {
  public:
    ArrowWhileAsking();
    ~ArrowWhileAsking();
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

  private:
    bool pushed_;
};

class MessageBoxSink : public platform::MessageSink {
  public:
    // Styles 16/32/48/64 pick the icon, 256 (or the Yes/No style 4) asks Yes/No;
    // the answer is 6 for Yes, 7 for No, 1 for OK. With 256 the second button, No, is
    // the default (Enter); with 4 alone Yes is.
    int16_t show(const platform::ShownMessage& message) override;
};

}  // namespace omrix::print_window
