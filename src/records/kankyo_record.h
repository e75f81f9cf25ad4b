#pragma once
// The 環境Ｍ row held for the whole run in AppContext.

#include <cstdint>
#include <string>

namespace omrix::records {

struct KankyoRec {
    int16_t ＬＯＣＫ作成トライ回数 = 0;
    int16_t ＬＯＣＫ作成ウェイト時間 = 0;  // milliseconds
    int16_t 発番排他モードトライ回数 = 0;
    int16_t 発番排他モードウェイト時間 = 0;
    std::string 技術資料保存フォルダ;
    std::string 回答用種目名称;
    std::string 回答用科目名称;
    double 消費税率 = 0.0;
};

}  // namespace omrix::records
