#include "data/core/program_database.h"

#include "context/app_context.h"

namespace omrix::data {

CCCDBS_DataBase* programDatabase() {
    return context::appContext().Database.get();
}

}  // namespace omrix::data
