#include "project/forms/koji_gaiyo_window.h"

#include "project/forms/koji_gaiyo_form.h"

namespace omrix::project {

Frm_Omrix_Print_KojiGaiyo::Frm_Omrix_Print_KojiGaiyo(ProjectFormInputs inputs, QWidget* parent)
    : ProjectFormWindow(std::make_unique<KojiGaiyoForm>(std::move(inputs)),
                        "Frm_Omrix_Print_KojiGaiyo", QString::fromUtf8("工事概要"), parent) {}

void showKojiGaiyoModal(ProjectFormInputs inputs, QWidget* parent) {
    Frm_Omrix_Print_KojiGaiyo window(std::move(inputs), parent);
    window.exec();
}

}  // namespace omrix::project
