// Both programs carry their manifest, icon and version information.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/handles.h"
#include "support/programs.h"

namespace keytidy {
namespace {

std::wstring VersionString(const std::wstring& file, const wchar_t* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  std::vector<std::uint8_t> data(size);
  if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return {};
  wchar_t* text = nullptr;
  UINT length = 0;
  const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return {};
  return text;
}

std::string ManifestOf(const std::wstring& file) {
  UniqueModule module(LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) return {};
  HRSRC resource = FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  if (!resource) return {};
  HGLOBAL loaded = LoadResource(module.get(), resource);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes ? std::string(bytes, SizeofResource(module.get(), resource)) : std::string();
}

bool HasIcon(const std::wstring& file) {
  UniqueModule module(LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  return module && FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)) != nullptr;  // RT_GROUP_ICON
}

TEST(ProgramResources, VersionManifestAndIcon) {
  const struct {
    std::wstring path;
    std::wstring description;
  } programs[] = {
      {test::GuiPath(), L"Quarvint Keytidy 2 - registry cleaner"},
      {test::CliPath(), L"Quarvint Keytidy 2 - console front end"},
  };
  for (const auto& program : programs) {
    SCOPED_TRACE(testing::Message() << program.description);
    EXPECT_EQ(VersionString(program.path, L"ProductVersion"), L"2.00.00");
    EXPECT_EQ(VersionString(program.path, L"ProductName"), L"Quarvint Keytidy 2");
    EXPECT_EQ(VersionString(program.path, L"FileDescription"), program.description);
    const std::string manifest = ManifestOf(program.path);
    EXPECT_NE(manifest.find("requireAdministrator"), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(
        manifest.find(
            "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true</longPathAware>"),
        std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos) << "Windows 10 and 11";
    EXPECT_TRUE(HasIcon(program.path));
  }
}

}  // namespace
}  // namespace keytidy
