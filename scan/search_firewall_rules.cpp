// Windows Firewall rules for programs that are gone. A rule is one text
// value of fields separated by "|"; the program is the "App=" field.
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

struct RuleValue {
  std::wstring key;
  std::wstring name;
};

std::wstring RuleKey(int controlSet) {
  return L"SYSTEM\\ControlSet00" + std::to_wstring(controlSet) +
         L"\\services\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules";
}

// The text after "|App=" up to the next "|". The rule text normally ends in
// "|", so the last character is dropped before cutting; a rule that ends in
// the path itself loses its last character and is never reported.
std::wstring ProgramOfRule(const std::wstring& rule) {
  const std::size_t field = UpperCaseAscii(rule).find(L"|APP=");
  if (field == std::wstring::npos) return {};
  const std::size_t start = field + 5;
  if (rule.size() < 1 || start >= rule.size() - 1) return {};
  std::wstring program = rule.substr(start, rule.size() - 1 - start);
  const std::size_t bar = program.find(L'|');
  if (bar != std::wstring::npos) program.resize(bar);
  return program;
}

}  // namespace

void TRegistryCleaner::SEARCH_FIREWALL_RULES(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  std::vector<RuleValue> rules;
  for (int controlSet = 1; controlSet <= 9; ++controlSet) {
    const std::wstring key = RuleKey(controlSet);
    if (!Reg_KeyExists(root, key) || !Reg_KeyExistsWritable(root, key)) continue;
    for (std::wstring& name : List_ValueNames(root, key)) rules.push_back({key, std::move(name)});
  }
  Progress_SetMaximum(static_cast<std::int32_t>(rules.size()));
  Count_KeysScanned(static_cast<std::uint32_t>(rules.size()));
  // Thousands of rules are normal; the walk does not yield.
  for (const RuleValue& rule : rules) {
    if (rule.name.empty()) continue;
    // Environment references are not expanded: such programs are never judged.
    const std::wstring program = ProgramOfRule(Reg_ReadString(root, rule.key, rule.name));
    if (program.size() <= 7 || !IsDrivePath(program)) continue;
    if (UpperCaseAscii(program.substr(program.size() - 4)) != L".EXE" || FileExists_HDDS(program, RegistryView::Native))
      continue;
    Report_Finding(*this, GroupIndex, ComboBoxIndex, program, rule.name, {root, rule.key, rule.name},
                   DeleteTarget::Value, {EvidenceTest::FileMissing, program});
  }
}

}  // namespace keytidy
