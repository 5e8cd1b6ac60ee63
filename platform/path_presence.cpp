#include "platform/path_presence.h"

#include <windows.h>

namespace keytidy {

PathPresence Presence_FromError(std::uint32_t error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NO_MORE_FILES:
    case ERROR_INVALID_NAME: return PathPresence::Missing;
    default: return PathPresence::CannotTell;
  }
}

}  // namespace keytidy
