#pragma once
// Fonts and PDF painting need a QGuiApplication. Command-line programs and tests make
// one through this scope; without a display it uses Qt's offscreen platform.

#include <memory>

class QGuiApplication;

namespace omrix::reports {

class GuiApplicationScope {
  public:
    // Makes a QGuiApplication unless one exists already, which is then left alone.
    GuiApplicationScope();
    ~GuiApplicationScope();
    GuiApplicationScope(const GuiApplicationScope&) = delete;
    GuiApplicationScope& operator=(const GuiApplicationScope&) = delete;

    // True when this scope made the application (and destroys it at its end).
    bool owns() const { return app_ != nullptr; }

  private:
    int argc_ = 1;
    char programName_[16] = "omrix-reports";
    char* argv_[2] = {programName_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

// True when a QGuiApplication (or QApplication) is running in this process.
bool hasGuiApplication();

}  // namespace omrix::reports
