#pragma once
// 見積要項: the estimate summary of the current project version.

#include "project/forms/project_form_window.h"

namespace omrix::project {

class Frm_Omrix_Print_Mitsumoriyoko : public ProjectFormWindow {
  public:
    Frm_Omrix_Print_Mitsumoriyoko(ProjectFormInputs inputs, QWidget* parent = nullptr);
};

// Cmd_Mitsumoriyoko_Click: the window over the current project version, modal.
void showMitsumoriyokoModal(ProjectFormInputs inputs, QWidget* parent);

}  // namespace omrix::project
