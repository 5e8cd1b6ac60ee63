// Totals grow as REG_QWORD values whatever was stored before.
#include "settings/statistics.h"

#include <cstring>

#include <gtest/gtest.h>

#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::RegistrySandbox;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;

class Statistics : public RegistrySandbox {};

TEST_F(Statistics, AddsToWhateverIsStoredAndWritesAQword) {
  struct Case {
    const char* label;
    DWORD type;  // REG_NONE: nothing stored
    std::uint64_t stored;
    const wchar_t* text;
    std::uint64_t amount;
    std::uint64_t total;
  };
  const Case cases[] = {
      {"missing_starts_at_zero", REG_NONE, 0, nullptr, 7, 7},
      {"carry_into_upper_half", REG_QWORD, 4294967295u, nullptr, 1, 4294967296u},
      {"large_qword", REG_QWORD, 0x1'0000'0005u, nullptr, 0xFFFF'FFFFu, 0x2'0000'0004u},
      {"dword_read_unsigned", REG_DWORD, 0xFFFFFFFFu, nullptr, 1, 4294967296u},
      {"decimal_text", REG_SZ, 0, L"41", 1, 42},
      {"text_no_number", REG_SZ, 0, L"many", 5, 5},
      {"adding_zero_still_writes", REG_NONE, 0, nullptr, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::wstring name(c.label, c.label + std::strlen(c.label));
    if (c.type == REG_QWORD) RawWrite(HKLM, Path(), name, REG_QWORD, &c.stored, sizeof(c.stored));
    if (c.type == REG_DWORD) RawWriteDword(HKLM, Path(), name, static_cast<DWORD>(c.stored));
    if (c.type == REG_SZ) RawWriteString(HKLM, Path(), name, c.text);
    Stats_Add(HKLM, Path(), name, c.amount);
    DWORD type = 0, size = 0;
    ASSERT_TRUE(Reg_ValueInfo(HKLM, Path(), name, type, size));
    EXPECT_EQ(type, DWORD{REG_QWORD});
    EXPECT_EQ(static_cast<std::uint64_t>(Reg_ReadInt64(HKLM, Path(), name)), c.total);
  }
}

TEST_F(Statistics, CreatesTheTotalsKeyWhenNeeded) {
  const std::wstring key = Path(L"Stats");
  Stats_Add(HKLM, key, kStats_BackupsDeleted, 1);
  Stats_Add(HKLM, key, kStats_BackupsDeleted, 2);
  EXPECT_EQ(Reg_ReadInt64(HKLM, key, kStats_BackupsDeleted), 3);
}

}  // namespace
}  // namespace keytidy
