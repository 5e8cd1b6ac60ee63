#include "cli/console_front_end.h"

#include "cli/console.h"

namespace keytidy::cli {

bool TConsoleFrontEnd::AskYesNo(const std::wstring& question, const std::wstring& /*dontAskAgainCaption*/,
                                bool& dontAskAgain) {
  dontAskAgain = false;
  PrintErr(L"keytidy-cli: not asked in a console run, taken as no: " + question + L"\r\n");
  return false;
}

TConsoleFrontEnd& ConsoleFrontEnd() {
  static TConsoleFrontEnd frontEnd;
  return frontEnd;
}

RunControl& ConsoleRunControl() {
  static RunControl control;
  return control;
}

}  // namespace keytidy::cli
