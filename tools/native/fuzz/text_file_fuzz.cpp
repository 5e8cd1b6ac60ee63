// Translation and exception files are decoded by their byte-order mark.
// Whatever the bytes, decoding must not fail, and writing the lines back in
// the encoding they came in must give the same lines again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "lang/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keytidy;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TextFileLines decoded = DecodeTextFile(bytes);
  const TextFileLines again = DecodeTextFile(EncodeTextFile(decoded.lines, decoded.encoding));
  fuzz::Require(again.encoding == decoded.encoding || decoded.lines.empty(), "encoding survives a rewrite");
  fuzz::Require(again.lines == decoded.lines, "lines survive a rewrite");
  return 0;
}
