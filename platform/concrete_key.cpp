#include "platform/concrete_key.h"

#include "platform/class_view.h"
#include "platform/text.h"

namespace keytidy {

namespace {

bool StartsWithIgnoreCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && UpperCaseAscii(text.substr(0, prefix.size())) == prefix;
}

}  // namespace

std::optional<ConcreteKey> ConcreteKey_FromKernelName(std::wstring_view name) {
  struct Hive {
    std::wstring_view prefix;  // upper case, with the separator after it
    RootKey root;
  };
  constexpr Hive kHives[] = {{L"\\REGISTRY\\MACHINE\\", ROOT_HKEY_LOCAL_MACHINE},
                             {L"\\REGISTRY\\USER\\", ROOT_HKEY_USERS}};
  for (const Hive& hive : kHives) {
    if (!StartsWithIgnoreCase(name, hive.prefix)) continue;
    std::wstring_view rest = name.substr(hive.prefix.size());
    while (!rest.empty() && rest.back() == L'\\') rest.remove_suffix(1);
    if (rest.empty() || rest.front() == L'\\') return std::nullopt;
    return ConcreteKey{hive.root, std::wstring(rest)};
  }
  return std::nullopt;
}

std::optional<ConcreteKey> Reg_ConcreteKey(RootKey root, const std::wstring& path) {
  if (root != ROOT_HKEY_CLASSES_ROOT) return ConcreteKey{root, path};
  const std::optional<ShownClassKey> shown = ClassView_ShownKey(path);
  if (!shown) return std::nullopt;
  return shown->key;
}

}  // namespace keytidy
