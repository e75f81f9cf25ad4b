#pragma once
// AppContext reset when the guard is made and when it goes; as a fixture's first member
// it covers SetUp and TearDown too.

#include "context/app_context.h"

namespace omrix::testing {

class FreshContext {
  public:
    FreshContext() { context::resetAppContext(); }
    ~FreshContext() { context::resetAppContext(); }
    FreshContext(const FreshContext&) = delete;
    FreshContext& operator=(const FreshContext&) = delete;
};

}  // namespace omrix::testing
