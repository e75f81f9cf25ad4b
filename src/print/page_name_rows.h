#pragma once
// The work of the page-name window without the window: which breakdown rows it lists
// (the second level of the selected branch) and the write of their page names.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "print/print_source.h"

namespace omrix::breakdown {
class COmrixEditUcw;
}
namespace omrix::level_tree {
class LevelTreeModel;
}

namespace omrix::print {

// The three grid columns of one listed row, right-trimmed.
struct PageNameGridRow {
    std::string number;    // 表示№: 表示番号名称
    std::string name;      // 種目名称: 名称２
    std::string pageName;  // 頁名称
};

class PageNameRows {
  public:
    // Rows are looked up under source.root and written through source.db.
    explicit PageNameRows(PrintSource source) : source_(source) {}

    // fnCollectPageNameRows: the direct children of the top-level node that holds the
    // selected node, each looked up by its tag under the source's root; with
    // bTickedOnly only ticked ones. Nothing without a selected node.
    void fnCollectPageNameRows(const level_tree::LevelTreeModel& tree, bool bTickedOnly);

    int32_t count() const { return static_cast<int32_t>(rows_.size()); }
    // 0-based.
    PageNameGridRow gridRow(int32_t index) const;

    // Cmd_Print_Click's write: page name i goes into listed row i (cut to its 16
    // characters) and every listed row is written to 内訳, in one transaction. On a
    // failed write: message 3010 内訳の書き込み, rolled back, false; the names handed
    // over up to the failure stay in their row objects.
    bool write(std::span<const std::string> pageNames);

  private:
    PrintSource source_;
    std::vector<breakdown::COmrixEditUcw*> rows_;
};

}  // namespace omrix::print
