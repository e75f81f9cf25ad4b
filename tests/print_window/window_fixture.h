#pragma once
// Windows over a demo database on a real SQLite file, shown on Qt's offscreen platform
// and driven by object name.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/demo_startup.h"
#include "app/startup_sequence.h"
#include "context/app_context.h"
#include "context/ini_file.h"
#include "data/table_database.h"
#include "demo/demo_database.h"
#include "print_window/main_print_window.h"

namespace omrix::print_window::testing {

template <typename T>
T* child(QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

// Runs `act` on the next modal window once it is up; the caller then opens it.
inline void whenModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

class DemoWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(
            omrix::testing::startOnDemo(tables, 120, "-B:00000001 -H:01 -Q:デモ物件  -T:1 -W:77"));
    }

    // The main window, loaded and shown.
    std::unique_ptr<Frm_Omrix_Print_Main> openMain() {
        auto window = std::make_unique<Frm_Omrix_Print_Main>();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    omrix::testing::TableDatabase tables;
};

}  // namespace omrix::print_window::testing
