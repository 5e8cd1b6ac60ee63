// Class registrations whose out-of-process server, the program Windows
// starts for the class (LocalServer32), is gone. Tray helpers and sync
// clients leave many of these behind when they are removed. Fixing one
// deletes only the LocalServer32 sub-key, as for in-process servers.
#include "scan/com_class_walk.h"
#include "scan/leftover_judgement.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_COM_LOCALSERVER32(const KeyList& KeyListe, CheckId GroupIndex,
                                                FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now) {
  const RegistryView view = View_OfPass(USE_WOW6432Node_Now);
  Walk_ClassSubKeys(*this, KeyListe, USE_WOW6432Node_Now, L"LocalServer32",
                    [&](const std::wstring& clsid, const std::wstring& key) {
                      // A command line ("C:\x\srv.exe" -Embedding): the program is
                      // judged by the command-line rules, and one that cannot be
                      // told from its arguments is not judged at all.
                      const std::wstring command = ClassKeys.Of(key).defaultText;
                      if (command.empty()) return;
                      Report_ClassFileIfMissing(*this, GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now, clsid, key,
                                                Program_OfCommandLine(*this, command, view));
                    });
}

}  // namespace keytidy
