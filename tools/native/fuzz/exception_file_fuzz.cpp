// The exception list file: whatever it holds loads without harm, and a list
// that was loaded and saved again loads back as the same rows (kinds other
// than key are written as value, the only other kind the file knows).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "scan/exception_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keytidy;
  static const fuzz::ScratchFile input("rc_exceptions.txt");
  static const fuzz::ScratchFile output("rc_exceptions_saved.txt");
  TExceptionList loaded;
  Load_Exceptions(input.Write(std::string_view(reinterpret_cast<const char*>(data), size)), loaded);
  if (!Save_Exceptions(output.Path(), loaded)) return 0;
  TExceptionList reloaded;
  Load_Exceptions(output.Path(), reloaded);
  std::vector<ExceptionRow> expected = loaded.Rows();
  for (ExceptionRow& row : expected)
    if (row.kind != kExceptionKindKey) row.kind = kExceptionKindValue;
  fuzz::Require(reloaded.Rows() == expected, "saved rows load back unchanged");
  return 0;
}
