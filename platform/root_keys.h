#pragma once
// The five root keys as their 32-bit predefined values. Kept apart from the
// registry layer so that code which only reasons about key paths needs no
// Windows header.
#include <cstdint>
#include <string>

namespace keytidy {

using RootKey = std::uint32_t;
inline constexpr RootKey ROOT_HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr RootKey ROOT_HKEY_CURRENT_USER = 0x80000001u;
inline constexpr RootKey ROOT_HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr RootKey ROOT_HKEY_USERS = 0x80000003u;
inline constexpr RootKey ROOT_HKEY_CURRENT_CONFIG = 0x80000005u;

// "HKEY_LOCAL_MACHINE" and its siblings; empty for an unknown value.
std::wstring Reg_RootKeyName(RootKey root);

}  // namespace keytidy
