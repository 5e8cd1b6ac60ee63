#include "lang/language_codes.h"

namespace keytidy {

namespace {

struct CodeAndLcid {
  const wchar_t* code;
  std::uint32_t lcid;
};

// Older translation files were named with the language tags of their day,
// so a few historic codes (in, ji, sz, sx, sb, ge) stay in the table, and
// "en" maps to the bare English language number rather than a full locale.
constexpr CodeAndLcid kLanguageCodes[] = {
    {L"af", 1078},     {L"sq", 1052},     {L"ar-sa", 1025},  {L"ar-iq", 2049},  {L"ar-eg", 3073},  {L"ar-ly", 4097},
    {L"ar-dz", 5121},  {L"ar-ma", 6145},  {L"ar-tn", 7169},  {L"ar-om", 8193},  {L"ar-ye", 9217},  {L"ar-sy", 10241},
    {L"ar-jo", 11265}, {L"ar-lb", 12289}, {L"ar-kw", 13313}, {L"ar-ae", 14337}, {L"ar-bh", 15361}, {L"ar-qa", 16385},
    {L"hy", 1067},     {L"eu", 1069},     {L"bg", 1026},     {L"be", 1059},     {L"ca", 1027},     {L"zh-tw", 1028},
    {L"zh-cn", 2052},  {L"zh-hk", 3076},  {L"zh-sg", 4100},  {L"hr", 1050},     {L"cs", 1029},     {L"da", 1030},
    {L"nl", 1043},     {L"nl-nl", 1043},  {L"nl-be", 2067},  {L"en", 9},        {L"en-us", 1033},  {L"en-gb", 2057},
    {L"en-au", 3081},  {L"en-ca", 4105},  {L"en-nz", 5129},  {L"en-ie", 6153},  {L"en-za", 7177},  {L"en-jm", 8201},
    {L"en-bz", 10249}, {L"en-tt", 11273}, {L"et", 1061},     {L"fo", 1080},     {L"fa", 1065},     {L"fi", 1035},
    {L"fr", 1036},     {L"fr-be", 2060},  {L"fr-ca", 3084},  {L"fr-ch", 4108},  {L"fr-lu", 5132},  {L"mk", 1071},
    {L"gd", 1084},     {L"gd-ie", 2108},  {L"de", 1031},     {L"de-ch", 2055},  {L"de-at", 3079},  {L"de-lu", 4103},
    {L"de-li", 5127},  {L"el", 1032},     {L"he", 1037},     {L"hi", 1081},     {L"hu", 1038},     {L"is", 1039},
    {L"in", 1057},     {L"it", 1040},     {L"it-ch", 2064},  {L"ja", 1041},     {L"ko", 1042},     {L"lv", 1062},
    {L"lt", 1063},     {L"ms", 1086},     {L"mt", 1082},     {L"no", 1044},     {L"nn-no", 2068},  {L"pl", 1045},
    {L"pt-br", 1046},  {L"pt", 2070},     {L"rm", 1047},     {L"ro", 1048},     {L"ro-mo", 2072},  {L"ru", 1049},
    {L"ru-mo", 2073},  {L"sz", 1083},     {L"sr", 3098},     {L"sk", 1051},     {L"sl", 1060},     {L"sb", 1070},
    {L"es", 1034},     {L"es-mx", 2058},  {L"es-gt", 4106},  {L"es-cr", 5130},  {L"es-pa", 6154},  {L"es-do", 7178},
    {L"es-ve", 8202},  {L"es-co", 9226},  {L"es-pe", 10250}, {L"es-ar", 11274}, {L"es-ec", 12298}, {L"es-cl", 13322},
    {L"es-uy", 14346}, {L"es-py", 15370}, {L"es-bo", 16394}, {L"es-sv", 17418}, {L"es-hn", 18442}, {L"es-ni", 19466},
    {L"es-pr", 20490}, {L"sx", 1072},     {L"sv", 1053},     {L"sv-fi", 2077},  {L"th", 1054},     {L"ts", 1073},
    {L"tn", 1074},     {L"tr", 1055},     {L"uk", 1058},     {L"ur", 1056},     {L"ve", 1075},     {L"vi", 1066},
    {L"xh", 1076},     {L"ji", 1085},     {L"zu", 1077},     {L"ge", 1079},     {L"ka-ge", 1079},  {L"sl-si", 1060},
    {L"kk-kz", 1087},
};

}  // namespace

std::uint32_t Get_LCID_from_Code(std::wstring_view code) {
  for (const CodeAndLcid& entry : kLanguageCodes)
    if (code == entry.code) return entry.lcid;
  return 0;
}

size_t LanguageCodeCount() { return std::size(kLanguageCodes); }

}  // namespace keytidy
