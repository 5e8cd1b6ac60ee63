#include "platform/registry.h"

#include <cstring>

#include <unordered_set>

#include "platform/class_view.h"
#include "platform/concrete_key.h"
#include "platform/environment.h"
#include "platform/handles.h"
#include "platform/judged_user.h"
#include "platform/text.h"

namespace keytidy {

namespace {

using RegDeleteKeyExWFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

struct LayerState {
  bool use64BitView = false;
  RegDeleteKeyExWFn regDeleteKeyExW = nullptr;
  bool initialised = false;
};

LayerState& State() {
  static LayerState state;
  return state;
}

const LayerState& InitialisedState() {
  if (!State().initialised) Registry_Init();
  return State();
}

REGSAM ViewFlag() { return InitialisedState().use64BitView ? KEY_WOW64_64KEY : 0; }
REGSAM ReadAccess() { return KEY_READ | ViewFlag(); }
REGSAM FullAccess() { return KEY_ALL_ACCESS | ViewFlag(); }

UniqueHKey OpenKey(RootKey root, const std::wstring& path, REGSAM access) {
  UniqueHKey key;
  if (RegOpenKeyExW(RootKeyHandle(root), path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.reset();
  return key;
}

UniqueHKey OpenInHive(const ConcreteKey& hive, const std::wstring& path, REGSAM access) {
  const ConcreteKey key = ClassView_InHive(hive, path);
  return OpenKey(key.root, key.path, access);
}

constexpr bool IsClassesRoot(RootKey root) { return root == ROOT_HKEY_CLASSES_ROOT; }

// The key a read of values works on. Below HKEY_CLASSES_ROOT that is the
// key the merged view shows: the user's when it opens, else the machine's.
UniqueHKey OpenForValues(RootKey root, const std::wstring& path) {
  if (!IsClassesRoot(root)) return OpenKey(root, path, ReadAccess());
  const ClassHives hives = ClassView_Hives();
  if (hives.user)
    if (UniqueHKey user = OpenInHive(*hives.user, path, ReadAccess())) return user;
  return OpenInHive(hives.machine, path, ReadAccess());
}

// Both halves of a merged class key, for what needs the sub-keys of both.
// Outside HKEY_CLASSES_ROOT the key itself is held as `machine`.
struct KeyHalves {
  UniqueHKey user;
  UniqueHKey machine;
  HKEY Shown() const { return user ? user.get() : machine.get(); }
  explicit operator bool() const { return user || machine; }
};

KeyHalves OpenHalves(RootKey root, const std::wstring& path) {
  KeyHalves halves;
  if (!IsClassesRoot(root)) {
    halves.machine = OpenKey(root, path, ReadAccess());
    return halves;
  }
  const ClassHives hives = ClassView_Hives();
  if (hives.user) halves.user = OpenInHive(*hives.user, path, ReadAccess());
  halves.machine = OpenInHive(hives.machine, path, ReadAccess());
  return halves;
}

// Where a change below HKEY_CLASSES_ROOT lands, as Windows documents it for
// writes through the merged view: in the key the view shows, or, for a key
// neither hive holds yet, in the machine's classes.
ConcreteKey ClassWriteTarget(const std::wstring& path) {
  if (const std::optional<ShownClassKey> shown = ClassView_ShownKey(path)) return shown->key;
  return ClassView_InHive(ClassView_Hives().machine, path);
}

bool QueryTypeAndSize(HKEY key, const std::wstring& name, DWORD& type, DWORD& size) {
  return RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

// Reads the whole data of a value whose size is already known.
bool QueryData(HKEY key, const std::wstring& name, DWORD size, std::vector<std::uint8_t>& data) {
  data.assign(size, 0);
  DWORD type = 0;
  DWORD got = size;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &got) != ERROR_SUCCESS) return false;
  data.resize(got);
  return true;
}

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// UTF-16 text from raw bytes, up to the first zero character or the end.
std::wstring TextUpToZero(const std::vector<std::uint8_t>& data) {
  const size_t chars = data.size() / sizeof(wchar_t);
  std::wstring text(chars, L'\0');
  if (chars > 0) std::memcpy(text.data(), data.data(), chars * sizeof(wchar_t));
  const size_t zero = text.find(L'\0');
  if (zero != std::wstring::npos) text.resize(zero);
  return text;
}

std::uint64_t LittleEndian(const std::uint8_t* bytes, size_t count) {
  std::uint64_t value = 0;
  for (size_t i = count; i-- > 0;) value = (value << 8) | bytes[i];
  return value;
}

// Far-East (double-byte) systems get twice the reported name length, as the
// reported length may count bytes there.
DWORD NameBufferLength(DWORD longest) { return GetSystemMetrics(SM_DBCSENABLED) ? 2 * longest + 1 : longest + 1; }

enum class NameKind { SubKeys, Values };

void EnumerateKeyNames(HKEY key, NameKind kind, std::vector<std::wstring>& names) {
  DWORD subKeys = 0, longestSubKey = 0, values = 0, longestValue = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr, &values, &longestValue,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  const bool wantKeys = kind == NameKind::SubKeys;
  const DWORD count = wantKeys ? subKeys : values;
  std::wstring buffer(NameBufferLength(wantKeys ? longestSubKey : longestValue), L'\0');
  for (DWORD index = 0; index < count; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG status = wantKeys
                            ? RegEnumKeyExW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
                            : RegEnumValueW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) names.emplace_back(buffer.data(), length);
  }
}

// Key names compare without regard to letter case, in the whole of Unicode.
std::wstring FoldedName(const std::wstring& name) {
  std::wstring folded = name;
  if (!folded.empty()) CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
  return folded;
}

// The user's sub-keys first, then the machine's that the user does not
// also hold.
void MergedSubKeyNames(const KeyHalves& halves, std::vector<std::wstring>& names) {
  if (halves.user) EnumerateKeyNames(halves.user.get(), NameKind::SubKeys, names);
  if (!halves.machine) return;
  if (!halves.user) {
    EnumerateKeyNames(halves.machine.get(), NameKind::SubKeys, names);
    return;
  }
  std::unordered_set<std::wstring> userNames;
  for (const std::wstring& name : names) userNames.insert(FoldedName(name));
  std::vector<std::wstring> machineNames;
  EnumerateKeyNames(halves.machine.get(), NameKind::SubKeys, machineNames);
  for (std::wstring& name : machineNames)
    if (!userNames.contains(FoldedName(name))) names.push_back(std::move(name));
}

bool EnumerateNames(RootKey root, const std::wstring& path, NameKind kind, std::vector<std::wstring>& names) {
  if (kind == NameKind::SubKeys) {
    const KeyHalves halves = OpenHalves(root, path);
    if (!halves) return false;
    MergedSubKeyNames(halves, names);
    return true;
  }
  UniqueHKey key = OpenForValues(root, path);
  if (!key) return false;
  EnumerateKeyNames(key.get(), kind, names);
  return true;
}

bool QueryCounts(HKEY key, std::uint32_t& valueCount, std::uint32_t& subKeyCount) {
  DWORD subKeys = 0, values = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return false;
  valueCount = values;
  subKeyCount = subKeys;
  return true;
}

// The counts of the key the halves make: the shown key's values, and the
// sub-keys of both (counted by name only when both halves exist).
bool QueryMergedCounts(const KeyHalves& halves, std::uint32_t& valueCount, std::uint32_t& subKeyCount) {
  if (!QueryCounts(halves.Shown(), valueCount, subKeyCount)) return false;
  if (!halves.user || !halves.machine) return true;
  std::vector<std::wstring> names;
  MergedSubKeyNames(halves, names);
  subKeyCount = static_cast<std::uint32_t>(names.size());
  return true;
}

bool WriteValueToKey(HKEY key, const std::wstring& name, const void* data, DWORD size, DWORD type) {
  return RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

// Deletes every subkey below `path`, deepest first, then the key itself;
// the result is that last delete call's answer.
LONG DeleteKeyTree(RootKey root, const std::wstring& path) {
  const LayerState& state = InitialisedState();
  if (UniqueHKey key = OpenKey(root, path, FullAccess())) {
    DWORD subKeys = 0, longest = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subKeys, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) == ERROR_SUCCESS) {
      std::wstring buffer(NameBufferLength(longest), L'\0');
      for (DWORD index = subKeys; index-- > 0;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (RegEnumKeyExW(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS)
          DeleteKeyTree(root, path + L"\\" + std::wstring(buffer.data(), length));
      }
    }
  }
  if (state.regDeleteKeyExW) return state.regDeleteKeyExW(RootKeyHandle(root), path.c_str(), ViewFlag(), 0);
  return RegDeleteKeyW(RootKeyHandle(root), path.c_str());
}

// The text a value holds, as Reg_ReadString documents it.
std::wstring ReadStringFromKey(HKEY key, const std::wstring& name) {
  DWORD type = 0, size = 0;
  if (!key || !QueryTypeAndSize(key, name, type, size) || size == 0) return {};
  std::vector<std::uint8_t> data;
  if (IsTextType(type)) {
    if (size < 2 || !QueryData(key, name, size, data)) return {};
    return TextUpToZero(data);
  }
  switch (type) {
    case REG_DWORD:
      if (size > 4 || !QueryData(key, name, size, data)) return {};
      return std::to_wstring(static_cast<std::uint32_t>(LittleEndian(data.data(), data.size())));
    case REG_QWORD:
      if (size > 8 || !QueryData(key, name, size, data)) return {};
      return std::to_wstring(static_cast<std::int64_t>(LittleEndian(data.data(), data.size())));
    case REG_BINARY:
    case REG_NONE:
      if (!QueryData(key, name, size, data)) return {};
      return TextUpToZero(data);
    default: return {};
  }
}

}  // namespace

HKEY RootKeyHandle(RootKey root) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root))); }

bool Use64BitView() { return InitialisedState().use64BitView; }

void Registry_Init() {
  LayerState& state = State();
  state.use64BitView = DetectWindows64();
  state.regDeleteKeyExW = reinterpret_cast<RegDeleteKeyExWFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegDeleteKeyExW")));
  state.initialised = true;
}

bool Reg_KeyExists(RootKey root, const std::wstring& path) { return static_cast<bool>(OpenForValues(root, path)); }

bool Reg_KeyExistsWritable(RootKey root, const std::wstring& path) {
  if (IsClassesRoot(root)) {
    const std::optional<ShownClassKey> shown = ClassView_ShownKey(path);
    return shown && Reg_KeyExistsWritable(shown->key.root, shown->key.path);
  }
  return static_cast<bool>(OpenKey(root, path, FullAccess()));
}

bool Reg_ValueExists(RootKey root, const std::wstring& path, const std::wstring& name) {
  UniqueHKey key = OpenForValues(root, path);
  return key && RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool Reg_ValueInfo(RootKey root, const std::wstring& path, const std::wstring& name, DWORD& type, DWORD& size) {
  UniqueHKey key = OpenForValues(root, path);
  DWORD gotType = 0, gotSize = 0;
  if (!key || !QueryTypeAndSize(key.get(), name, gotType, gotSize)) return false;
  type = gotType;
  size = gotSize;
  return true;
}

bool Reg_KeyCounts(RootKey root, const std::wstring& path, std::uint32_t& valueCount, std::uint32_t& subKeyCount) {
  valueCount = 0;
  subKeyCount = 0;
  const KeyHalves halves = OpenHalves(root, path);
  std::uint32_t values = 0, subKeys = 0;
  if (!halves || !QueryMergedCounts(halves, values, subKeys)) return false;
  valueCount = values;
  subKeyCount = subKeys;
  return true;
}

std::uint32_t Reg_ValueCount(RootKey root, const std::wstring& path) {
  std::uint32_t values = 0, subKeys = 0;
  Reg_KeyCounts(root, path, values, subKeys);
  return values;
}

std::uint32_t Reg_SubKeyCount(RootKey root, const std::wstring& path) {
  std::uint32_t values = 0, subKeys = 0;
  Reg_KeyCounts(root, path, values, subKeys);
  return subKeys;
}

bool Reg_GetSubKeys(RootKey root, const std::wstring& path, std::vector<std::wstring>& names) {
  names.clear();
  return EnumerateNames(root, path, NameKind::SubKeys, names);
}

bool Reg_GetValueNames(RootKey root, const std::wstring& path, std::vector<std::wstring>& names) {
  return EnumerateNames(root, path, NameKind::Values, names);
}

std::wstring Reg_ReadString(RootKey root, const std::wstring& path, const std::wstring& name) {
  UniqueHKey key = OpenForValues(root, path);
  return ReadStringFromKey(key.get(), name);
}

RegKeyGlance Reg_Glance(RootKey root, const std::wstring& path) {
  RegKeyGlance glance;
  const KeyHalves halves = OpenHalves(root, path);
  if (!halves) return glance;
  glance.exists = true;
  glance.defaultText = ReadStringFromKey(halves.Shown(), L"");
  std::uint32_t values = 0, subKeys = 0;
  glance.countsRead = QueryMergedCounts(halves, values, subKeys);
  if (glance.countsRead) {
    glance.values = values;
    glance.subKeys = subKeys;
  }
  return glance;
}

std::int32_t Reg_ReadInteger(RootKey root, const std::wstring& path, const std::wstring& name) {
  UniqueHKey key = OpenForValues(root, path);
  DWORD type = 0, size = 0;
  if (!key || !QueryTypeAndSize(key.get(), name, type, size)) return 0;
  std::vector<std::uint8_t> data;
  if (IsTextType(type)) {
    if (size < 2 || !QueryData(key.get(), name, size, data)) return 0;
    return StrToIntDef(TextUpToZero(data), 0);
  }
  const bool fits = (type == REG_DWORD && size <= 4) || (type == REG_QWORD && size <= 8) ||
                    ((type == REG_BINARY || type == REG_NONE) && size <= 4);
  if (!fits || !QueryData(key.get(), name, size, data)) return 0;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(LittleEndian(data.data(), data.size())));
}

std::int64_t Reg_ReadInt64(RootKey root, const std::wstring& path, const std::wstring& name) {
  UniqueHKey key = OpenForValues(root, path);
  if (!key) return 0;
  std::uint8_t buffer[8] = {};
  DWORD type = 0;
  DWORD size = sizeof(buffer);
  const LONG status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, buffer, &size);
  if (status == ERROR_SUCCESS) {
    if (type == REG_QWORD || type == REG_DWORD || type == REG_BINARY || type == REG_NONE)
      return static_cast<std::int64_t>(LittleEndian(buffer, size));
    if (IsTextType(type)) return StrToInt64Def(TextUpToZero(std::vector<std::uint8_t>(buffer, buffer + size)), 0);
    return 0;
  }
  std::vector<std::uint8_t> data;
  if (status == ERROR_MORE_DATA && IsTextType(type) && QueryData(key.get(), name, size, data))
    return StrToInt64Def(TextUpToZero(data), 0);
  return 0;
}

std::uint32_t Reg_ReadBinary(RootKey root, const std::wstring& path, const std::wstring& name,
                             RegBinaryBuffer& buffer) {
  UniqueHKey key = OpenForValues(root, path);
  DWORD type = 0, size = 0;
  if (!key || !QueryTypeAndSize(key.get(), name, type, size)) return 0;
  if ((type != REG_BINARY && type != REG_NONE) || size < 1 || size > kRegBinaryBufferSize) return 0;
  // Read into a copy first: a value that grew since the size query must not
  // leave the caller's buffer half-overwritten.
  RegBinaryBuffer data;
  DWORD got = size;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &got) != ERROR_SUCCESS) return 0;
  std::memcpy(buffer.data(), data.data(), got);
  return got;
}

bool Reg_WriteValue(RootKey root, const std::wstring& path, const std::wstring& name, const void* data, DWORD size,
                    DWORD type) {
  if (IsClassesRoot(root)) {
    const ConcreteKey target = ClassWriteTarget(path);
    return Reg_WriteValue(target.root, target.path, name, data, size, type);
  }
  UniqueHKey key = OpenKey(root, path, FullAccess());
  if (!key && RegCreateKeyExW(RootKeyHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FullAccess(),
                              nullptr, key.put(), nullptr) != ERROR_SUCCESS)
    return false;
  return key && WriteValueToKey(key.get(), name, data, size, type);
}

bool Reg_WriteString(RootKey root, const std::wstring& path, const std::wstring& name, const std::wstring& text) {
  const DWORD size = text.empty() ? 0 : static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return Reg_WriteValue(root, path, name, text.empty() ? nullptr : text.c_str(), size, REG_SZ);
}

bool Reg_WriteInteger(RootKey root, const std::wstring& path, const std::wstring& name, std::int32_t value) {
  return Reg_WriteValue(root, path, name, &value, sizeof(value), REG_DWORD);
}

bool Reg_WriteInt64(RootKey root, const std::wstring& path, const std::wstring& name, std::int64_t value) {
  return Reg_WriteValue(root, path, name, &value, sizeof(value), REG_QWORD);
}

bool Reg_DeleteValue(RootKey root, const std::wstring& path, const std::wstring& name) {
  if (IsClassesRoot(root)) {
    const std::optional<ShownClassKey> shown = ClassView_ShownKey(path);
    return shown && Reg_DeleteValue(shown->key.root, shown->key.path, name);
  }
  UniqueHKey key = OpenKey(root, path, FullAccess());
  return key && RegDeleteValueW(key.get(), name.c_str()) == ERROR_SUCCESS;
}

bool Reg_DeleteKey(RootKey root, const std::wstring& path) {
  // An empty path names the root itself; walking it would delete a whole
  // hive. Nothing a caller can mean by that is worth the risk.
  if (Trim(path).find_first_not_of(L'\\') == std::wstring::npos) return false;
  // Through the merged classes view a walk could reach sub-keys of both
  // hives, and once the user's key is gone the machine's key of the same
  // name shows through. Only the key the view shows now is deleted.
  if (IsClassesRoot(root)) {
    const std::optional<ShownClassKey> shown = ClassView_ShownKey(path);
    return !shown || Reg_DeleteKey(shown->key.root, shown->key.path);
  }
  const LONG first = DeleteKeyTree(root, path);
  // A second try only after the first delete call failed: when it
  // succeeded and the key is still there, what is there is another key
  // (created meanwhile), which nobody asked to delete.
  const LayerState& state = InitialisedState();
  if (first != ERROR_SUCCESS && Reg_KeyExists(root, path) && state.regDeleteKeyExW &&
      state.regDeleteKeyExW(RootKeyHandle(root), path.c_str(), ViewFlag(), 0) == ERROR_SUCCESS)
    return true;
  return !Reg_KeyExists(root, path);
}

void Reg_RedirectCurrentUser(RootKey& root, std::wstring& path) {
  const std::wstring& sid = CurrentUserHiveSid();
  if (sid.empty() || root != ROOT_HKEY_CURRENT_USER) return;
  root = ROOT_HKEY_USERS;
  path = sid + L"\\" + path;
}

}  // namespace keytidy
