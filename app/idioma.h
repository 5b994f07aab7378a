#pragma once

class QCoreApplication;

namespace zef {

// The program speaks Brazilian Portuguese on every machine, whatever its system language:
// amounts and dates are read, shown and printed as 1.234,56 and dd/mm/aaaa, and Qt's own texts
// (the standard buttons of the message boxes, the file dialogs) come from Qt's Brazilian
// translation. Called once the application object exists, before any window is made.
void adotaPortuguesDoBrasil(QCoreApplication &app);

} // namespace zef
