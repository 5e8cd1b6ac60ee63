// The Add/Remove Programs cache: each entry's binary SlowInfoCache holds
// the program's path; an entry whose program is gone is stale.
#include "platform/command_path.h"
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

// The path is stored as UTF-16 from byte 28 on; only the low bytes are
// taken, which is enough for the drive test and the ".EXE" test.
std::wstring ProgramPathInSlowInfoCache(RootKey root, const std::wstring& key) {
  DWORD type = 0, size = 0;
  if (!Reg_ValueInfo(root, key, L"SlowInfoCache", type, size) || type != REG_BINARY) return {};
  RegBinaryBuffer data;
  const std::uint32_t length = Reg_ReadBinary(root, key, L"SlowInfoCache", data);
  if (length < 34 || data[30] != ':') return {};
  std::wstring path;
  for (std::uint32_t offset = 28; offset < length && data[offset] != 0; offset += 2)
    path += static_cast<wchar_t>(data[offset]);
  return path;
}

bool EndsWithExe(const std::wstring& path) {
  return path.size() >= 4 && UpperCaseAscii(path.substr(path.size() - 4)) == L".EXE";
}

}  // namespace

void TRegistryCleaner::SEARCH_INSTALLERARP(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring base = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_SubKeys(root, base), ItemCounter::KeysPerItem, [&](const std::wstring& name) {
    const std::wstring key = base + L"\\" + name;
    const std::wstring program = ProgramPathInSlowInfoCache(root, key);
    if (!EndsWithExe(program)) return;
    const std::wstring path = Clean_FilePath(program, RegistryView::Native);
    if (Is_MissingFile(*this, path, RegistryView::Native))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, path, name, {root, key, L""}, DeleteTarget::Key,
                     {EvidenceTest::FileMissing, path});
  });
}

}  // namespace keytidy
