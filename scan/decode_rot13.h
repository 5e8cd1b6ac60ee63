#pragma once
// Explorer stores the value names of its program-usage counters with every
// ASCII letter shifted by 13 places; this undoes (and, being its own
// inverse, also applies) that shift.
#include <string>
#include <string_view>

namespace keytidy {

// a-z and A-Z move 13 letters on, wrapping round and keeping their case;
// every other character (digits, punctuation, blanks, non-ASCII letters)
// is copied as it is.
std::wstring Decode_Rot13(std::wstring_view text);

}  // namespace keytidy
