#pragma once
// The construction overview form (工事概要): the project's 物件概要 row.

#include "project/tables/bukken_gaiyou.h"
#include "project/forms/project_form.h"

namespace omrix::project {

inline constexpr std::size_t kGaiyouTokkiLines = 5;

class KojiGaiyoForm : public ProjectForm {
  public:
    using ProjectForm::ProjectForm;

    const FormLayout& layout() const override;
    const BukkenGaiyouRec& record() const { return rec_; }

  protected:
    const FormTexts& texts() const override;
    int32_t recordId() const override { return rec_.物件概要ＩＤ; }
    bool readRecord() override;
    void showRecord() override;
    bool writeControls(int32_t id) override;
    void fillFromMaster(const ProjectMasterData& master) override;

  private:
    BukkenGaiyouRec rec_;
};

}  // namespace omrix::project
