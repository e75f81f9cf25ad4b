#pragma once
// 工事概要: the construction overview of the current project.

#include "project/forms/project_form_window.h"

namespace omrix::project {

class Frm_Omrix_Print_KojiGaiyo : public ProjectFormWindow {
  public:
    Frm_Omrix_Print_KojiGaiyo(ProjectFormInputs inputs, QWidget* parent = nullptr);
};

// Cmd_KojiGaiyo_Click: the window over the current project, modal.
void showKojiGaiyoModal(ProjectFormInputs inputs, QWidget* parent);

}  // namespace omrix::project
