// The program's own facts that the portable files ask for. The native build
// has no installed program folder: both come from the environment
// (KEYTIDY_PROGRAM_FOLDER, KEYTIDY_SKIN_FOLDER), or are the working folder.
#include <cstdlib>
#include <string>

#include "seam_state.h"

namespace keytidy {

namespace {

std::wstring FolderFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return seam::WideFromUtf8(value ? value : ".");
}

}  // namespace

const std::wstring& ProgramFolder() {
  static const std::wstring folder = FolderFromEnvironment("KEYTIDY_PROGRAM_FOLDER");
  return folder;
}

const std::wstring& SkinFolder() {
  static const std::wstring folder = FolderFromEnvironment("KEYTIDY_SKIN_FOLDER");
  return folder;
}

}  // namespace keytidy
