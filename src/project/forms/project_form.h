#pragma once
// What the two project-information forms share: one text per control, the changed
// flag, and Form_Load, 物件情報 (take over), save, close and the authority rule. A form
// adds its controls, its record and how the record maps to the controls.
//
// The form is told its project, version, authority and tsubo factor; it reads nothing
// from the application context itself: the main window gathers them.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "data/tables/id_numbering.h"
#include "project/forms/project_form_controls.h"
#include "project/tables/project_master_data.h"
#include "util/fixed_text.h"

namespace omrix::project {

struct ProjectFormInputs {
    // Where the form reads and saves; without one the form stays read-only and empty.
    data::CCCDBS_DataBase* db = nullptr;
    std::string bukkenNo;
    std::string hanNo;
    int16_t kengen = 0;               // the operator's 権限; bit 0 forbids saving
    double tuboKansan = 0.0;          // already rounded at start-up
    data::LockRetryPolicy numbering;  // for the ID of a first save
};

inline constexpr int16_t kKengenReadOnly = 1;  // bit 0 of 権限

// 物件No as saved: trimmed, right-aligned in 16 bytes.
std::string alignedBukkenNo(std::string_view bukkenNo);

// The texts a form reports with.
struct FormTexts {
    std::string_view table;          // numbering: "物件概要"
    std::string_view readAction;     // "物件概要の取得"
    std::string_view writeAction;    // "物件概要の書き込み"
    std::string_view saveProcedure;  // "fnWriteBukkenGaiyouInf"
};

class ProjectForm {
  public:
    explicit ProjectForm(ProjectFormInputs inputs);
    virtual ~ProjectForm() = default;
    ProjectForm(const ProjectForm&) = delete;
    ProjectForm& operator=(const ProjectForm&) = delete;

    virtual const FormLayout& layout() const = 0;
    const FormControl* control(std::string_view name) const;

    // Form_Load: read the sheet, show it, apply the authority, clear the flag.
    void load();

    // The text of a box or tsubo label.
    const std::string& text(std::string_view name) const;
    // A Change event: the new text, marking the sheet changed where the control does.
    void setText(std::string_view name, std::string_view text);
    // Whether the Ari button of an option pair is selected.
    bool option(std::string_view ariName) const;
    void setOption(std::string_view ariName, bool ari);
    // LostFocus of an area box: its tsubo label follows.
    void areaLostFocus(std::string_view box);
    // Every area box's LostFocus: a save by a key (Alt+T, Alt+O) leaves no box, so it
    // runs them itself before it takes the labels.
    void areasLostFocus();

    bool changed() const { return changed_; }
    // 物件情報, OK and 適用 stay disabled after the sheet could not be read.
    bool editable() const { return editable_; }
    // OK and 適用 need the authority as well.
    bool mayWrite() const { return editable_ && (inputs_.kengen & kKengenReadOnly) == 0; }

    // Cmd_BukkenInf: asks with 2006; false when answered No or the master data failed.
    bool takeOver();
    // Cmd_Tekiyo (and Cmd_OK before closing); the tsubo labels follow their boxes first.
    bool save();
    // Form_Unload: while changed, asks with 2003; false when answered No.
    bool mayClose();

    const ProjectFormInputs& inputs() const { return inputs_; }
    // Only called once the form is known to have one.
    data::CCCDBS_DataBase& database() const { return *inputs_.db; }

  protected:
    virtual const FormTexts& texts() const = 0;
    virtual int32_t recordId() const = 0;
    // Reads the sheet into the record; false when the query failed.
    virtual bool readRecord() = 0;
    // The record into the controls (tsubo labels as stored; shown() recomputes them).
    virtual void showRecord() = 0;
    // A cleared record with `id`, the project keys and every control.
    virtual bool writeControls(int32_t id) = 0;
    virtual void fillFromMaster(const ProjectMasterData& master) = 0;

    // A record mapping is a generic lambda (record, visitor) calling the visitor with a
    // control name and the field it shows: v(name, field) for boxes and labels,
    // v.option(ariName, field) for option pairs.
    template <typename Rec, typename Bind>
    void showFields(const Rec& rec, Bind bind) {
        ShowTo to{*this};
        bind(const_cast<Rec&>(rec), to);  // ShowTo only reads the fields
    }
    template <typename Rec, typename Bind>
    void takeFields(Rec& rec, Bind bind) const {
        TakeFrom from{*this};
        bind(rec, from);
    }

  private:
    struct ShowTo {
        ProjectForm& form;
        template <std::size_t N>
        void operator()(std::string_view name, const util::FixedText<N>& field) {
            form.putText(name, std::string(field.trimmedRight()));
        }
        void operator()(std::string_view name, const int16_t& field);
        void operator()(std::string_view name, const double& field);
        void option(std::string_view ariName, const util::FixedText<1>& field);
    };
    struct TakeFrom {
        const ProjectForm& form;
        template <std::size_t N>
        void operator()(std::string_view name, util::FixedText<N>& field) {
            field = trimmedText(name);
        }
        void operator()(std::string_view name, int16_t& field);
        void operator()(std::string_view name, double& field);
        void option(std::string_view ariName, util::FixedText<1>& field);
        std::string_view trimmedText(std::string_view name) const;
    };

    void putText(std::string_view name, std::string text);

    void clearControls();
    void showAndFollow();

    ProjectFormInputs inputs_;
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, bool, std::less<>> options_;
    bool changed_ = false;
    bool editable_ = true;
};

}  // namespace omrix::project
