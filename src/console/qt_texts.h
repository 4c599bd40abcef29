// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

// Puts Qt's own texts (message box buttons, file dialog, text box menus) into Simplified
// Chinese, whatever the system's language, as the tool's own texts are. Qt's translation
// comes from its translations folder (beside the DLLs on Windows). False when it is
// missing; Qt then stays English.
bool InstallQtChineseTexts(QCoreApplication& app);
