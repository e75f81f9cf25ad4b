#include "data/drivers/sql_server_functions.h"

#include <sqlite3.h>

#include <cstdio>
#include <ctime>

namespace omrix::data {
namespace {

// A print run calls it for every row; the text changes once a second.
void getDate(sqlite3_context* context, int, sqlite3_value**) {
    thread_local std::time_t last = -1;
    thread_local char text[32];
    thread_local int n = 0;
    std::time_t now = std::time(nullptr);
    if (now != last) {
        std::tm local{};
        localtime_r(&now, &local);
        n = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                          local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec);
        last = now;
    }
    sqlite3_result_text(context, text, n, SQLITE_TRANSIENT);
}

void len(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    auto text = reinterpret_cast<const unsigned char*>(sqlite3_value_text(args[0]));
    int bytes = sqlite3_value_bytes(args[0]);
    while (bytes > 0 && text[bytes - 1] == ' ') --bytes;
    sqlite3_int64 characters = 0;
    for (int i = 0; i < bytes; ++i) {
        if ((text[i] & 0xC0) != 0x80) ++characters;
    }
    sqlite3_result_int64(context, characters);
}

}  // namespace

bool registerSqlServerFunctions(sqlite3* db) {
    const int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function_v2(db, "GetDate", 0, SQLITE_UTF8, nullptr, getDate, nullptr,
                                      nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "Len", 1, pure, nullptr, len, nullptr, nullptr,
                                      nullptr) == SQLITE_OK;
}

}  // namespace omrix::data
