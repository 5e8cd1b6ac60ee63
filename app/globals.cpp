#include "app/globals.h"

namespace keytidy {

bool APP_TERMINATING = false;
bool STOP_REQUESTED = false;
std::wstring FirstArgument;

}  // namespace keytidy
