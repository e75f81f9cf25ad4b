#include "project/forms/project_form.h"

#include "data/core/failure_cause.h"
#include "data/tables/id_numbering.h"
#include "platform/messages.h"
#include "util/aligned_text.h"
#include "util/numbers.h"
#include "util/text.h"

namespace omrix::project {
namespace {

constexpr int16_t kBukkenNoBytes = 16;
constexpr std::string_view kLoadProcedure = "Form_Load";
constexpr std::string_view kMasterProcedure = "fnReadBukkenInf";
constexpr std::string_view kTakeOverQuestion = "現在の情報を破棄して物件情報";

}  // namespace

std::string alignedBukkenNo(std::string_view bukkenNo) {
    std::string text(bukkenNo);
    return util::fnAlignByBytes(text, util::kAlignRight, kBukkenNoBytes);
}

ProjectForm::ProjectForm(ProjectFormInputs inputs) : inputs_(std::move(inputs)) {}

const FormControl* ProjectForm::control(std::string_view name) const {
    for (const auto& c : layout().controls) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

void ProjectForm::load() {
    clearControls();
    editable_ = inputs_.db != nullptr && readRecord();
    if (!editable_) {
        platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, texts().readAction, "",
                                         kLoadProcedure);
        data::showFailureCause(inputs_.db);
    }
    showAndFollow();
    changed_ = false;
}

const std::string& ProjectForm::text(std::string_view name) const {
    static const std::string empty;
    auto it = texts_.find(name);
    return it == texts_.end() ? empty : it->second;
}

void ProjectForm::setText(std::string_view name, std::string_view text) {
    auto it = texts_.find(name);
    if (it == texts_.end() || it->second == text) return;
    it->second = text;
    if (const FormControl* c = control(name); c && c->setsChanged) changed_ = true;
}

bool ProjectForm::option(std::string_view ariName) const {
    auto it = options_.find(ariName);
    return it != options_.end() && it->second;
}

void ProjectForm::setOption(std::string_view ariName, bool ari) {
    auto it = options_.find(ariName);
    if (it != options_.end()) it->second = ari;
}

void ProjectForm::areaLostFocus(std::string_view box) {
    for (const auto& pair : kAreaPairs) {
        if (pair.box == box) setText(pair.tsubo, tuboCaption(text(box), inputs_.tuboKansan));
    }
}

void ProjectForm::areasLostFocus() {
    for (const auto& pair : kAreaPairs) areaLostFocus(pair.box);
}

bool ProjectForm::takeOver() {
    if (platform::fnPIMORA01_DispMessage(2006, platform::kStyleYesNo, kTakeOverQuestion) ==
        platform::kAnswerNo) {
        return false;
    }
    ProjectMasterData master;
    if (inputs_.db == nullptr) return false;
    if (!fnReadProjectMasterData(database(), inputs_.bukkenNo, kMasterProcedure, master))
        return false;
    clearControls();
    fillFromMaster(master);
    showAndFollow();
    changed_ = true;
    return true;
}

bool ProjectForm::save() {
    areasLostFocus();
    if (!mayWrite() || inputs_.db == nullptr) return false;
    int32_t id = recordId();
    if (id == 0) {
        id = data::fnGetNewTableID(database(), inputs_.numbering, texts().table,
                                   texts().saveProcedure);
    }
    if (id <= 0) return false;
    if (!writeControls(id)) {
        platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, texts().writeAction, "",
                                         texts().saveProcedure);
        data::showFailureCause(inputs_.db);
        return false;
    }
    changed_ = false;
    platform::fnPIMORA01_DispMessage(4003, platform::kStyleOk);
    return true;
}

bool ProjectForm::mayClose() {
    if (!changed_) return true;
    return platform::fnPIMORA01_DispMessage(2003, platform::kStyleYesNo) != platform::kAnswerNo;
}

void ProjectForm::clearControls() {
    for (const auto& c : layout().controls) {
        if (c.kind == ControlKind::Option) {
            options_[c.name] = false;
        } else {
            texts_[c.name].clear();
        }
    }
}

void ProjectForm::showAndFollow() {
    showRecord();
    areasLostFocus();
}

void ProjectForm::putText(std::string_view name, std::string text) {
    texts_[std::string(name)] = std::move(text);
}

void ProjectForm::ShowTo::operator()(std::string_view name, const int16_t& field) {
    form.putText(name, std::to_string(field));
}

void ProjectForm::ShowTo::operator()(std::string_view name, const double& field) {
    form.putText(name, util::doubleToText(field));
}

void ProjectForm::ShowTo::option(std::string_view ariName, const util::FixedText<1>& field) {
    form.options_[std::string(ariName)] = field.trimmedRight() == "1";
}

std::string_view ProjectForm::TakeFrom::trimmedText(std::string_view name) const {
    return util::trimBlanksRight(form.text(name));
}

void ProjectForm::TakeFrom::operator()(std::string_view name, int16_t& field) {
    field = util::fnCIntTextOr(form.text(name), 0);
}

void ProjectForm::TakeFrom::operator()(std::string_view name, double& field) {
    field = util::fnCDblTextOr(form.text(name), 0.0);
}

void ProjectForm::TakeFrom::option(std::string_view ariName, util::FixedText<1>& field) {
    field = form.option(ariName) ? "1" : "0";
}

}  // namespace omrix::project
