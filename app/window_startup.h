#pragma once
// Bringing up the windows once the process entry has passed its checks:
// language, the export mode, skin, main window, options dialog, the first
// module and the message loop.
#include <string>

#include "gui/internet_services.h"

namespace keytidy {

// Runs the whole window start-up and the message loop; returns when the
// program is to end. The windows use the process entry's internet services.
void RunWindowStartup(InternetServices& internet);

// The command word that exports the design texts of the translated forms
// into the German translation file.
bool IsTranslationSaveWord(const std::wstring& firstArgument);
// The setup words that keep the main window from being created.
bool IsSetupWord(const std::wstring& firstArgument);

}  // namespace keytidy
