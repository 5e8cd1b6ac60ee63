// Class registrations whose in-process server or toolbox bitmap names a
// file that is gone. Fixing one deletes only the sub-key holding the path:
// the class itself may still be served some other way.
#include <array>

#include "scan/check_skeleton.h"
#include "scan/com_class_walk.h"
#include "scan/icon_index.h"

namespace keytidy {

namespace {

// Two known classes whose servers are left alone whatever they name. The
// comparison is exact, letter case included, as their installer writes
// them; a twin written in other letters is examined like any other class.
constexpr std::array<const wchar_t*, 2> kServersLeftAlone = {
    L"{09D32393-10DA-4eca-91AA-AD11C69DB966}",
    L"{FD7B051A-1E54-41f8-8A87-2F4349A8CCC8}",
};

bool Is_ServerLeftAlone(const std::wstring& clsid) {
  for (const wchar_t* left : kServersLeftAlone)
    if (clsid == left) return true;
  return false;
}

}  // namespace

void TRegistryCleaner::SEARCH_COM_INPROCSERVER32(const KeyList& KeyListe, CheckId GroupIndex,
                                                 FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now) {
  const RegistryView view = View_OfPass(USE_WOW6432Node_Now);
  Walk_ClassSubKeys(*this, KeyListe, USE_WOW6432Node_Now, L"InprocServer32",
                    [&](const std::wstring& clsid, const std::wstring& key) {
                      if (Is_ServerLeftAlone(clsid)) return;
                      const std::wstring server = ClassKeys.Of(key).defaultText;
                      if (server.empty()) return;
                      Report_ClassFileIfMissing(*this, GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now, clsid, key,
                                                Resolve_FileReference(*this, server, !USE_WOW6432Node_Now, view));
                    });
}

void TRegistryCleaner::SEARCH_COM_TOOLBOXBITMAP(const KeyList& KeyListe, CheckId GroupIndex,
                                                FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now) {
  const RegistryView view = View_OfPass(USE_WOW6432Node_Now);
  Walk_ClassSubKeys(*this, KeyListe, USE_WOW6432Node_Now, L"ToolBoxBitmap32",
                    [&](const std::wstring& clsid, const std::wstring& key) {
                      // The bitmap is a resource of the control's module; a
                      // stand-alone bitmap file is not judged.
                      const std::optional<std::wstring> module = Strip_IconIndex(ClassKeys.Of(key).defaultText);
                      if (!module) return;
                      Report_ClassFileIfMissing(*this, GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now, clsid, key,
                                                Resolve_FileReference(*this, *module, !USE_WOW6432Node_Now, view));
                    });
}

}  // namespace keytidy
