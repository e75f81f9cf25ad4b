#include "data/core/backup_flag.h"

#include <array>
#include <string>

#include "context/ini_file.h"
#include "context/ini_path.h"
#include "data/core/program_database.h"
#include "platform/ini_write.h"
#include "util/ascii.h"

namespace omrix::data {
namespace {

struct FlagTable {
    std::string_view name;
    // Characters that, right after the name, mean another table (物件概要Ｂ).
    std::array<std::string_view, 2> excludedNext;
};

constexpr std::array kTables = {
    FlagTable{"システムＭ", {}},
    FlagTable{"年度Ｍ", {}},
    FlagTable{"自社Ｍ", {}},
    FlagTable{"自社担当者Ｍ", {}},
    FlagTable{"他社Ｍ", {}},
    FlagTable{"他社担当者Ｍ", {}},
    FlagTable{"ＢＰＩＤＭ", {}},
    FlagTable{"設計社Ｍ", {}},
    FlagTable{"設計担当者Ｍ", {}},
    FlagTable{"種目Ｍ", {}},
    FlagTable{"科目Ｍ", {}},
    FlagTable{"細目Ｍ", {}},
    FlagTable{"仕様規格Ｍ", {}},
    FlagTable{"集計区分Ｍ", {}},
    FlagTable{"部位Ｍ", {}},
    FlagTable{"単位Ｍ", {}},
    FlagTable{"単価Ｍ", {}},
    FlagTable{"種目表示番号Ｍ", {}},
    FlagTable{"科目表示番号Ｍ", {}},
    FlagTable{"金額種類Ｍ", {}},
    FlagTable{"内訳書出力形式Ｍ", {}},
    FlagTable{"物件種別Ｍ", {}},
    FlagTable{"建物分類Ｍ", {}},
    FlagTable{"建物数量区分Ｍ", {}},
    FlagTable{"建物用途Ｍ", {}},
    FlagTable{"都道府県Ｍ", {}},
    FlagTable{"構造区分Ｍ", {}},
    FlagTable{"杭工法Ｍ", {}},
    FlagTable{"基礎種類Ｍ", {}},
    FlagTable{"主仕上部位Ｍ", {}},
    FlagTable{"主仕上Ｍ", {}},
    FlagTable{"事業所Ｍ", {}},
    FlagTable{"メーカー＿商社Ｍ", {}},
    FlagTable{"雛型Ｍ", {}},
    FlagTable{"金融機関Ｍ", {}},
    FlagTable{"担当者別取引先関連情報", {}},
    FlagTable{"物件管理", {"Ｂ"}},
    FlagTable{"物件概要", {"Ｂ"}},
    FlagTable{"物件見積要項", {"Ｂ"}},
    FlagTable{"物件用単価", {"Ｂ"}},
    FlagTable{"内訳名称", {"Ｂ"}},
    FlagTable{"代価表", {"Ｂ"}},
    FlagTable{"取引情報", {"Ｂ"}},
    FlagTable{"原本インデックス", {"Ｂ"}},
    FlagTable{"受信確認メッセージ履歴", {"Ｂ"}},
    FlagTable{"送受信インデックス履歴", {"Ｂ", "Ｗ"}},
    // The blank keeps 出来高内訳名称 and the other 出来高内訳… tables out.
    FlagTable{"出来高内訳 ", {}},
};

// Byte offset of the character numbered `position` (1-based); npos past the end.
size_t characterOffset(std::string_view text, size_t position) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (++seen == position) return i;
    }
    return std::string_view::npos;
}

std::string_view characterAt(std::string_view text, size_t offset) {
    if (offset >= text.size()) return {};
    size_t end = offset + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return text.substr(offset, end - offset);
}

bool matchesAt(std::string_view sql, size_t position, const FlagTable& table) {
    size_t offset = characterOffset(sql, position);
    if (offset == std::string_view::npos || sql.substr(offset, table.name.size()) != table.name)
        return false;
    std::string_view next = characterAt(sql, offset + table.name.size());
    for (std::string_view excluded : table.excludedNext) {
        if (!excluded.empty() && next == excluded) return false;
    }
    return true;
}

bool startsWithKeyword(std::string_view sql) {
    if (sql.size() < 6) return false;
    const std::string head = util::toAsciiUpper(sql.substr(0, 6));
    return head == "INSERT" || head == "UPDATE" || head == "DELETE";
}

}  // namespace

bool raisesBackupFlag(std::string_view sql) {
    if (!startsWithKeyword(sql)) return false;
    for (const FlagTable& table : kTables) {
        if (matchesAt(sql, 8, table) || matchesAt(sql, 13, table)) return true;
    }
    return false;
}

void markBackupIfNeeded(std::string_view sql) {
    if (programWithoutIniFile()) return;
    if (raisesBackupFlag(sql))
        platform::VBFILE_WriteINI("KALVERON", "BackupFlag", "1", 0, context::fnGetIniPath());
}

}  // namespace omrix::data
