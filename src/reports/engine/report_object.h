#pragma once
// The members of a report object that the launch code sets, shaped as the engine's
// object model: Database().Tables().Item(i), FormulaFields().Item(i), 1-based.

#include <string>
#include <string_view>
#include <vector>

namespace omrix::reports {

// The four log-on texts in the order the launch passes them.
struct LogOnInfo {
    std::string server;  // the ODBC data-source name; empty: the program's own database
    std::string user;
    std::string password;
    std::string database;
    friend bool operator==(const LogOnInfo&, const LogOnInfo&) = default;
};

class ReportTable {
  public:
    void SetLogOnInfo(std::string_view server, std::string_view user, std::string_view password,
                      std::string_view database);
    const LogOnInfo& logOnInfo() const { return logOn_; }
    bool hasLogOnInfo() const { return loggedOn_; }

    // The table or view read; the design's own table until set.
    std::string Location;

  private:
    LogOnInfo logOn_;
    bool loggedOn_ = false;
};

struct FormulaField {
    std::string text;  // a text literal, e.g. "'株式会社…'"
};

// A 1-based collection of a fixed size. An index outside it hands out a detached
// item, so that the caller's chain stays valid, and remembers the misuse: the next
// load of the report fails with it instead of printing something else.
template <typename T>
class ReportItems {
  public:
    ReportItems(std::string_view what, std::size_t count) : what_(what), items_(count) {}

    T& Item(int index) {
        if (index >= 1 && index <= Count()) return items_[static_cast<std::size_t>(index - 1)];
        misuse_ = what_ + " " + std::to_string(index) + " does not exist (the design has " +
                  std::to_string(Count()) + ")";
        detached_ = {};
        return detached_;
    }
    const T& Item(int index) const {
        if (index >= 1 && index <= Count()) return items_[static_cast<std::size_t>(index - 1)];
        return empty_;
    }
    int Count() const { return static_cast<int>(items_.size()); }

    const std::string& misuse() const { return misuse_; }
    void clearMisuse() { misuse_.clear(); }

  private:
    std::string what_;
    std::vector<T> items_;
    T detached_{};
    T empty_{};
    std::string misuse_;
};

using ReportTables = ReportItems<ReportTable>;
using ReportFormulaFields = ReportItems<FormulaField>;

class ReportDatabase {
  public:
    explicit ReportDatabase(std::size_t tableCount) : tables_("table", tableCount) {}
    ReportTables& Tables() { return tables_; }
    const ReportTables& Tables() const { return tables_; }

  private:
    ReportTables tables_;
};

}  // namespace omrix::reports
