// Battery selection, profile sending, test results and custom options.
#include "shell/TVLForm.h"

namespace velmora {

void TVLForm::ComboMerkChange() {}
void TVLForm::ComboJenisChange() {}
void TVLForm::ComboTipeChange() {}
void TVLForm::RadioFastChange() {}
void TVLForm::RadioNormalChange() {}
void TVLForm::BTSendDataClick() {}
void TVLForm::TittleAccu() {}
void TVLForm::datarefresh() {}
void TVLForm::ComboIndeksChange() {}
void TVLForm::BTTambahClick() {}
void TVLForm::RTambahYesClick() {}
void TVLForm::RTambahNoClick() {}
void TVLForm::accudiagnostic() {}
void TVLForm::datareference() {}

}  // namespace velmora
