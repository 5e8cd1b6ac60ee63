// The label's markup reader and its word wrapping, without a window.
#include <gtest/gtest.h>

#include "ui/html_markup.h"

namespace keytidy::ui {
namespace {

TEST(HtmlMarkup, PlainTextOfTheMarkup) {
  const struct {
    const wchar_t* markup;
    const wchar_t* text;
  } cases[] = {
      {L"Hello <b>bold</b> world", L"Hello bold world"},
      {L"one<br>two<BR/>three", L"one\r\ntwo\r\nthree"},
      {L"a &amp; b &lt;c&gt; &quot;d&quot; &#65;&#x42;", L"a & b <c> \"d\" AB"},
      {L"&unknown; & alone", L"&unknown; & alone"},  // unknown entities stay as written
      {L"many    blanks\r\nand\tlines", L"many blanks and lines"},
      {L"<blink>dropped tags</blink> and </b> stray closers", L"dropped tags and stray closers"},
      {L"unclosed < bracket", L"unclosed < bracket"},
      {L"<a href=\"x\">link</a>", L"link"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlToPlainText(c.markup), c.text) << c.markup;
}

TEST(HtmlMarkup, StylesLinksImagesAndIndents) {
  const auto pieces = ParseHtml(
      L"<font color=\"#FF0000\" size=\"12\" face=\"Arial\"><b>red</b></font> plain "
      L"<a href='https://example.org/help'><i>go</i></a><img src=\"idx:7\"><ind x=\"40\">end");
  ASSERT_EQ(pieces.size(), 8u);
  EXPECT_EQ(pieces[0].text, L"red");
  EXPECT_TRUE(pieces[0].style.bold);
  ASSERT_TRUE(pieces[0].style.color.has_value());
  EXPECT_EQ(*pieces[0].style.color, RGB(255, 0, 0));
  EXPECT_EQ(pieces[0].style.points, 12);
  EXPECT_EQ(pieces[0].style.face, L"Arial");
  // </font> restores what was before it.
  EXPECT_EQ(pieces[2].text, L"plain");
  EXPECT_FALSE(pieces[2].style.color.has_value());
  EXPECT_EQ(pieces[2].style.points, 0);
  EXPECT_EQ(pieces[4].text, L"go");
  EXPECT_EQ(pieces[4].link, L"https://example.org/help");
  EXPECT_TRUE(pieces[4].style.italic);
  EXPECT_EQ(pieces[5].kind, HtmlPiece::Kind::Image);
  EXPECT_EQ(pieces[5].number, 7);
  EXPECT_EQ(pieces[6].kind, HtmlPiece::Kind::Indent);
  EXPECT_EQ(pieces[6].number, 40);
  EXPECT_EQ(pieces[7].text, L"end");
  EXPECT_TRUE(pieces[7].link.empty()) << "the link ended with </a>";
}

TEST(HtmlMarkup, BrokenAttributesAreIgnored) {
  const auto pieces =
      ParseHtml(L"<font color=\"nonsense\" size=\"-3\">x</font><img src=\"idx:-1\"><img src=\"a.png\">");
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_FALSE(pieces[0].style.color.has_value());
  EXPECT_EQ(pieces[0].style.points, 0);
}

// Every character 10 pixels wide, lines 10 high (8 above the baseline).
HtmlMeasure FixedMeasure(const HtmlPiece& piece) {
  if (piece.kind == HtmlPiece::Kind::Image) return {16, 16, 0};
  return {static_cast<int>(piece.text.size()) * 10, 8, 2};
}

std::vector<std::pair<std::wstring, POINT>> Placed(const std::wstring& markup, int width) {
  const auto pieces = ParseHtml(markup);
  std::vector<std::pair<std::wstring, POINT>> placed;
  for (const HtmlBox& box : LayoutHtml(pieces, width, FixedMeasure))
    placed.push_back({pieces[box.piece].text, POINT{box.box.left, box.box.top}});
  return placed;
}

TEST(HtmlLayout, WrapsWordsAndDropsBlanksAtTheWrap) {
  // "aaa bbb" is 70 wide; in 60 pixels "bbb" goes to the second line, and
  // neither line keeps the blank between them.
  const auto placed = Placed(L"aaa bbb", 60);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[0].first, L"aaa");
  EXPECT_EQ(placed[1].first, L"bbb");
  EXPECT_EQ(placed[1].second.x, 0);
  EXPECT_EQ(placed[1].second.y, 10);

  const auto wide = Placed(L"aaa bbb", 70);
  ASSERT_EQ(wide.size(), 3u);
  EXPECT_EQ(wide[2].second.x, 40);
  EXPECT_EQ(wide[2].second.y, 0);
}

TEST(HtmlLayout, BreaksIndentsAndOverlongWords) {
  const auto placed = Placed(L"a<br><br>b<ind x=50>c averyveryverylongword", 60);
  ASSERT_EQ(placed.size(), 4u);
  EXPECT_EQ(placed[0].second.y, 0);
  EXPECT_EQ(placed[1].second.y, 20) << "an empty line keeps its height";
  EXPECT_EQ(placed[2].second.x, 50) << "the indent moves to x=50";
  // A word wider than the label still gets a line of its own.
  EXPECT_EQ(placed[3].first, L"averyveryverylongword");
  EXPECT_EQ(placed[3].second.x, 0);
  EXPECT_EQ(placed[3].second.y, 30);
}

}  // namespace
}  // namespace keytidy::ui
