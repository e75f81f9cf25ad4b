#include "breakdown/tables/uchiwake_outline.h"

#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "breakdown/tables/kind_flags.h"
#include "breakdown/tables/omrix_dbt_uchiwake.h"
#include "breakdown/tables/uchiwake_read_plan.h"
#include "data/core/database.h"

namespace omrix::breakdown {
namespace {

struct Place {
    int32_t id, parent, hyoji;
    int16_t flag;
    bool lock;
};

// The place of every line, each flag value that names a heading kind collected.
bool readPlaces(data::CCCDBS_DataBase& db, int32_t id, std::vector<Place>& places,
                std::set<int16_t>& headingFlags) {
    auto rs = db.fnOpenRecordSet(uchiwakeSelectSql(
        id,
        {" u.内訳ID,", " u.親内訳ID,", " u.種別フラグ,", " u.表示No,", " h.ロックID番号 ロック"},
        false, {}));
    if (!rs) return false;
    while (!rs->pbEOF()) {
        const Place& place = places.emplace_back(Place{.id = rs->fnGetInt(0),
                                                       .parent = rs->fnGetInt(1),
                                                       .hyoji = rs->fnGetInt(3),
                                                       .flag = rs->fnGetSmallInt(2),
                                                       .lock = !data::isNull(rs->fnGetVariant(4))});
        if (isLevelTreeKind(place.flag)) headingFlags.insert(place.flag);
        if (!rs->fnMoveNext()) return false;
    }
    rs->fnClose();
    return true;
}

// Two lines under one parent with the same 表示No come out of the build's sort in an
// order that depends on every line of their level.
bool hasTiedSiblings(const std::vector<Place>& places) {
    std::vector<std::pair<int32_t, int32_t>> keys;
    keys.reserve(places.size());
    for (const Place& place : places) keys.emplace_back(place.parent, place.hyoji);
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
}

// The lines the level tree needs: the heading kinds and the lines printed apart (start-up
// asks whether there are any), every line above one, and one line below each of those
// that has any (a heading without lines below it may be empty).
// False for a 内訳ＩＤ given twice or a parent that does not exist: the whole fails too.
bool markNeeded(const std::vector<Place>& places, std::vector<char>& needed) {
    std::unordered_map<int32_t, std::size_t> at;
    at.reserve(places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (!at.emplace(places[i].id, i).second) return false;
    }
    needed.assign(places.size(), 0);
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (!isLevelTreeKind(places[i].flag) && (places[i].flag & kFlagBesshiApart) == 0) continue;
        // Up to the top or to a line already needed; a loop ends at its own start.
        for (std::size_t k = i; !needed[k];) {
            needed[k] = 1;
            if (places[k].parent == 0) break;
            auto parent = at.find(places[k].parent);
            if (parent == at.end()) return false;
            k = parent->second;
        }
    }
    std::vector<char> hasBelow(places.size(), 0);
    for (std::size_t i = 0; i < places.size(); ++i) {
        auto parent = places[i].parent != 0 ? at.find(places[i].parent) : at.end();
        if (parent != at.end() && needed[i]) hasBelow[parent->second] = 1;
    }
    // Only below the lines needed so far: a line standing in is not itself a heading.
    const std::vector<char> above = needed;
    for (std::size_t i = 0; i < places.size(); ++i) {
        auto parent = places[i].parent != 0 ? at.find(places[i].parent) : at.end();
        if (parent == at.end() || needed[i] || !above[parent->second]) continue;
        if (hasBelow[parent->second]) continue;
        hasBelow[parent->second] = 1;
        needed[i] = 1;
    }
    return true;
}

void addPlaces(const std::vector<Place>& places, const std::vector<char>* needed, int32_t id,
               UchiwakeRows& rows) {
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (needed != nullptr && !(*needed)[i]) continue;
        UchiwakeRec& rec = rows.emplace_back();
        rec.内訳名称ＩＤ = id;
        rec.内訳ＩＤ = places[i].id;
        rec.親内訳ＩＤ = places[i].parent;
        rec.種別フラグ = places[i].flag;
        rec.表示No = places[i].hyoji;
        rec.ロック = places[i].lock;
    }
}

std::string flagCondition(const std::set<int16_t>& flags) {
    std::string in;
    for (int16_t flag : flags) in += (in.empty() ? "" : ", ") + std::to_string(flag);
    return " and u.種別フラグ in (" + in + ")";
}

// Every column of the heading lines, each put in place of its line's place.
bool readHeadings(data::CCCDBS_DataBase& db, int32_t id, UchiwakeRows& rows,
                  const std::set<int16_t>& flags) {
    std::unordered_map<int32_t, std::size_t> at;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (!at.emplace(rows[i].内訳ＩＤ, i).second) return false;
    }
    auto rs = db.fnOpenRecordSet(
        uchiwakeSelectSql(id, {" u.*,", " h.ロックID番号 ロック"}, false, flagCondition(flags)));
    if (!rs) return false;
    const UchiwakeReadPlan plan(*rs);
    const data::ColumnIndex lock = plan.column("ロック");
    while (!rs->pbEOF()) {
        UchiwakeRec rec;
        if (!plan.read(*rs, rec)) return false;
        auto place = at.find(rec.内訳ＩＤ);
        if (place == at.end() || rows[place->second].親内訳ＩＤ != rec.親内訳ＩＤ) return false;
        sbOmrix_DBT_Daikahyo_Clear(rec.代価表);
        rec.ロック = !data::isNull(rs->fnGetVariant(lock));
        rec.配置済 = false;
        rows[place->second] = std::move(rec);
        if (!rs->fnMoveNext()) return false;
    }
    rs->fnClose();
    return true;
}

}  // namespace

bool isLevelTreeKind(int16_t flag) {
    switch (fnMajorSyubetu(flag)) {
        case kSyubetuMidasi:
        case kSyubetuSyumoku:
        case kSyubetuKamoku:
        case kSyubetuChuKamoku:
        case kSyubetuBesshi:
            return true;
        default:
            return false;
    }
}

bool fnOmrix_DBT_Uchiwake_SelectOutline(data::CCCDBS_DataBase& db, UchiwakeRows& rows,
                                        int32_t lUchiwakeNameID) {
    rows.clear();
    rows.emplace_back();
    sbOmrix_DBT_Uchiwake_Clear(rows[0]);
    std::vector<Place> places;
    std::set<int16_t> headingFlags;
    if (!readPlaces(db, lUchiwakeNameID, places, headingFlags)) return false;
    if (hasTiedSiblings(places)) {
        addPlaces(places, nullptr, lUchiwakeNameID, rows);
    } else {
        std::vector<char> needed;
        if (!markNeeded(places, needed)) return false;
        addPlaces(places, &needed, lUchiwakeNameID, rows);
    }
    return headingFlags.empty() || readHeadings(db, lUchiwakeNameID, rows, headingFlags);
}

}  // namespace omrix::breakdown
