#pragma once
// The bits of 種別フラグ and the major kinds derived from them: the one place that
// knows what each bit of a breakdown line means.

#include <cstdint>

namespace omrix::breakdown {

// Bits of 種別フラグ.
inline constexpr int16_t kFlagSyumoku = 0x01;      // 種目
inline constexpr int16_t kFlagKamoku = 0x02;       // 科目
inline constexpr int16_t kFlagChuKamoku = 0x04;    // 中科目
inline constexpr int16_t kFlagMeisai = 0x08;       // 明細, the plain line-item bit
inline constexpr int16_t kFlagBesshi = 0x10;       // 別紙
inline constexpr int16_t kFlagGokeiMidasi = 0x20;  // 合計見出し
inline constexpr int16_t kFlagGokei = 0x40;        // 合計
inline constexpr int16_t kFlagBesshiApart = 0x80;  // separate sheet printed apart
inline constexpr int16_t kFlagMishiyou = 0x100;    // 未使用
inline constexpr int16_t kFlag512 = 0x200;
inline constexpr int16_t kFlagKeizoku = 0x1000;  // continuation line
// A whole flag of this value is a total line of line-item type.
inline constexpr int16_t kFlagMeisaiGokei = kFlagGokei | kFlagMeisai;

// Major kinds, as fnGetMajorSyubetu derives them from 種別フラグ.
inline constexpr int16_t kSyubetuMidasi = 0;        // 見出し: the heading of the breakdown
inline constexpr int16_t kSyubetuSyumoku = 1;       // 種目
inline constexpr int16_t kSyubetuKamoku = 2;        // 科目
inline constexpr int16_t kSyubetuChuKamoku = 4;     // 中科目
inline constexpr int16_t kSyubetuMeisai = 8;        // 明細
inline constexpr int16_t kSyubetuBesshi = 16;       // 別紙
inline constexpr int16_t kSyubetuGokeiMidasi = 32;  // 合計見出し
inline constexpr int16_t kSyubetuGokei = 64;        // 合計
inline constexpr int16_t kSyubetu512 = 512;
inline constexpr int16_t kSyubetuKeizoku = 4096;  // continuation line

// The first matching test wins.
constexpr int16_t fnMajorSyubetu(int16_t flag) {
    if (flag & kFlagGokeiMidasi) return kSyubetuGokeiMidasi;
    if (flag & kFlagGokei) return kSyubetuGokei;
    if (flag & kFlagChuKamoku) return kSyubetuChuKamoku;
    if (flag & (kFlagBesshi | kFlagBesshiApart)) return kSyubetuBesshi;
    if (flag & kFlagSyumoku) return kSyubetuSyumoku;
    if (flag & kFlagKamoku) return kSyubetuKamoku;
    if (flag & kFlag512) return kSyubetu512;
    if (flag == 0) return kSyubetuMidasi;
    if (flag & kFlagKeizoku) return kSyubetuKeizoku;
    return kSyubetuMeisai;
}

// Pairs of bits that never belong together in one flag.
constexpr bool fnIsSafeSyubetuFlag(int16_t flag) {
    for (int pair : {kFlagSyumoku | kFlagKamoku, kFlagSyumoku | kFlagMeisai,
                     kFlagKamoku | kFlagMeisai, kFlagBesshi | kFlagGokeiMidasi,
                     kFlagBesshi | kFlagGokei, kFlagGokeiMidasi | kFlagBesshiApart,
                     kFlagGokei | kFlagBesshiApart, kFlagGokeiMidasi | kFlagGokei}) {
        if ((flag & pair) == pair) return false;
    }
    return true;
}

// True when the line is ticked apart from the statement as a separate sheet.
constexpr bool isBesshiApart(int16_t flag) {
    return (flag & kFlagBesshiApart) != 0;
}

}  // namespace omrix::breakdown
