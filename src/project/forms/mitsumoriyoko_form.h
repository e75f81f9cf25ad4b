#pragma once
// The estimate summary form (見積要項): the 物件見積要項 row of the project version.

#include <array>

#include "project/tables/bukken_mitsumori_youkou.h"
#include "project/forms/project_form.h"

namespace omrix::project {

inline constexpr std::size_t kShiharaiTakeOverLines = 6;  // 支払条件１ … ６ are filled
inline constexpr std::size_t kShiharaiBoxes = 5;          // … of which five are shown
inline constexpr std::size_t kKuiLines = 4;
inline constexpr std::size_t kBettoKojiLines = 5;
inline constexpr std::size_t kBikouLines = 11;
inline constexpr std::string_view kDefaultBunsho =
    "下記の要領でお見積もりいたしましたので、何卒御下命の程お願い申しあげます。";

class MitsumoriyokoForm : public ProjectForm {
  public:
    using ProjectForm::ProjectForm;

    const FormLayout& layout() const override;
    const BukkenMitsumoriYoukouRec& record() const { return rec_; }

  protected:
    const FormTexts& texts() const override;
    int32_t recordId() const override { return rec_.物件見積要項ＩＤ; }
    bool readRecord() override;
    void showRecord() override;
    bool writeControls(int32_t id) override;
    void fillFromMaster(const ProjectMasterData& master) override;

  private:
    BukkenMitsumoriYoukouRec rec_;
};

// 杭１ … 杭４ of the take-over: method, diameter, length and count.
std::array<std::string, kKuiLines> kuiLines(std::string_view kouhouName,
                                            const BukkenKuiKanriRec& kui);

}  // namespace omrix::project
