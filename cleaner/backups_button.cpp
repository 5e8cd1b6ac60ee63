#include "cleaner/backups_button.h"

namespace keytidy {

// The backup screen is not part of the program yet; the button does
// nothing until it is.
void Open_BackupScreen(HWND) {}

}  // namespace keytidy
