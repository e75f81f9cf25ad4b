#include "project/forms/mitsumoriyoko_window.h"

#include "project/forms/mitsumoriyoko_form.h"

namespace omrix::project {

Frm_Omrix_Print_Mitsumoriyoko::Frm_Omrix_Print_Mitsumoriyoko(ProjectFormInputs inputs,
                                                             QWidget* parent)
    : ProjectFormWindow(std::make_unique<MitsumoriyokoForm>(std::move(inputs)),
                        "Frm_Omrix_Print_Mitsumoriyoko", QString::fromUtf8("見積要項"), parent) {}

void showMitsumoriyokoModal(ProjectFormInputs inputs, QWidget* parent) {
    Frm_Omrix_Print_Mitsumoriyoko window(std::move(inputs), parent);
    window.exec();
}

}  // namespace omrix::project
