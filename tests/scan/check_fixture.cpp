#include "scan/check_fixture.h"

#include "platform/text.h"

namespace keytidy::test {

namespace {

std::wstring Place(RootKey root, const std::wstring& key) { return Reg_RootKeyName(root) + L"\\" + key; }

bool Mentions(const TTreeData_RegCleaner& e, std::wstring_view upperText) {
  return ContainsUpperAscii(e.FullPath, upperText) || ContainsUpperAscii(e.DisplayName, upperText) ||
         ContainsUpperAscii(e.Value, upperText) || ContainsUpperAscii(e.Key, upperText);
}

}  // namespace

std::vector<std::string> CheckTest::OurFindings() const {
  std::vector<std::string> lines;
  for (PVirtualNode node : tree) {
    const TTreeData_RegCleaner& e = *GetEntry(node);
    if (!Mentions(e, L"KEYTIDY")) continue;
    std::wstring deletes = e.DeleteKey ? L"key " + Place(e.Delete_Root, e.Delete_Key) : L"";
    if (e.DeleteValue) deletes += L"value " + Place(e.Delete_Root, e.Delete_Key) + L" [" + e.Delete_Value + L"]";
    lines.push_back(std::to_string(Number(e.GroupIndex)) + "/" + std::to_string(Number(e.ComboBoxIndex)) + " | " +
                    Utf16ToUtf8(e.FullPath + L" | " + e.DisplayName + L" | " + Place(e.RootKey, e.Key) + L" | " +
                                e.Value + L" | " + deletes) +
                    (IsTicked(node) ? "" : " | unticked"));
  }
  return lines;
}

std::wstring CheckTest::T(const std::wstring& text) const { return ReplaceAllIgnoreCase(text, L"{T}", temp.Path()); }

std::string CheckTest::T8(const std::wstring& text) const { return Utf16ToUtf8(T(text)); }

void CheckTest::Touch(const std::wstring& path, const std::string& bytes) const {
  for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
    CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  WriteFileBytes(path, bytes);
  ASSERT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << Utf16ToUtf8(path);
}

}  // namespace keytidy::test
