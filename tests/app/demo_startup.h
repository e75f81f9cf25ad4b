#pragma once
// A demo project in a test database and the program started on it, as the suite does.

#include <gtest/gtest.h>

#include <string>

#include "app/startup_sequence.h"
#include "context/app_context.h"
#include "data/table_database.h"
#include "demo/demo_database.h"

namespace omrix::testing {

// Use as ASSERT_NO_FATAL_FAILURE(startOnDemo(...)).
inline void startOnDemo(TableDatabase& tables, int32_t lines, const std::string& commandLine) {
    ASSERT_TRUE(tables.ok()) << tables.error();
    demo::DemoOptions options;
    options.lines = lines;
    util::Result<demo::DemoSummary> made = demo::createDemoDatabase(tables.db(), options);
    ASSERT_TRUE(made) << made.failure().text();
    context::appContext().CommandLine = commandLine;
    ASSERT_EQ(app::runStartup(), app::StartupEnd::Started);
    tables.messages().clear();
}

}  // namespace omrix::testing
