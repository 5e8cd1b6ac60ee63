#pragma once
// Shared pieces of the check tests: an engine on a fresh tree, the
// findings of one check written as one line each, and the fixture files.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scan/registry_cleaner.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy::test {

class CheckTest : public ::testing::Test {
 protected:
  CheckTest() {
    // Wine's Z: is a fixed drive (the Linux root); the tests treat only C:
    // as local so that Z: can stand for a drive the engine does not judge.
    engine.HDDS = L"C";
    run.STOP_REQUESTED = false;
  }
  ~CheckTest() override { run.STOP_REQUESTED = false; }

  // "group/filter | FullPath | DisplayName | root\key | value | deletes"
  // for every finding whose path, name or value mentions "keytidy", in tree
  // order: the real keys hold entries of their own that are not ours.
  std::vector<std::string> OurFindings() const;

  // {T} in a text becomes the temporary folder.
  std::wstring T(const std::wstring& text) const;
  std::string T8(const std::wstring& text) const;

  // Creates the file, and the folders above it that are missing.
  void Touch(const std::wstring& path, const std::string& bytes = "x") const;

  TResultTree tree;
  RunControl run;
  TRegistryCleaner engine{&tree, run};
  TempFolder temp;
  RealRegistryFixture registry;
};

}  // namespace keytidy::test
