#include <gtest/gtest.h>

#include "lang/plain_component.h"
#include "lang/translation_store.h"

namespace keytidy {
namespace {

using test::PlainComponent;
using Lines = std::vector<std::wstring>;

TEST(ApplyTranslation, ItemsTakeOneLineEachAndRepeatTheLastLine) {
  struct Case {
    const wchar_t* className;
    size_t items;
    const wchar_t* text;
    Lines expected;
  };
  const Case cases[] = {
      {L"TAdvOfficeTabSet", 3, L"A%CRLFB", {L"A", L"B", L"B"}},
      {L"TAdvOfficeTabSet", 3, L"A%CRLFB%CRLFC%CRLFD", {L"A", L"B", L"C"}},
      {L"TListView", 2, L"Only", {L"Only", L"Only"}},
      {L"TVirtualDrawTree", 3, L"Key%CRLF%CRLFValue", {L"Key", L"", L"Value"}},
      {L"tlistview", 1, L"lower-case class%CRLFignored", {L"lower-case class"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TLang lang;
    lang.Translation.Assign({std::wstring(L"F.Items=") + c.text});
    PlainComponent items(c.className, L"Items");
    items.items.assign(c.items, L"design");
    lang.Set_Components(L"F", items);
    EXPECT_EQ(items.items, c.expected);
    EXPECT_EQ(lang.MissingObjects, 0u);
  }
}

TEST(ApplyTranslation, EachKindTakesItsText) {
  TLang lang;
  lang.Translation.Assign({L"Form_RC.Form_RC=Titel", L"Form_RC.Html=<b>eins</b>%CRLFzwei", L"Form_RC.Smooth=glatt",
                           L"Form_RC.Nav=Sichern", L"Form_RC.Check=Schriften", L"Form_RC.HtmlProp=<i>x</i>",
                           L"Form_RC.Tree=Spalte", L"Form_RC.EmptyTabs=Reiter"});
  PlainComponent form(L"TForm_RC", L"Form_RC");
  form.properties[L"Caption"] = L"design";
  PlainComponent& html = form.Own(L"THTMLabel", L"Html");
  PlainComponent& smooth = form.Own(L"TAdvSmoothLabel", L"Smooth");
  PlainComponent& nav = form.Own(L"TVellUnicodeSTButton", L"Nav");
  nav.properties[L"Caption"] = L"design";
  PlainComponent& check = form.Own(L"TCheckBox", L"Check");
  check.properties[L"Caption"] = L"design";
  // HTMLText wins over Caption when a class has both.
  PlainComponent& htmlProp = form.Own(L"TSomething", L"HtmlProp");
  htmlProp.properties = {{L"HTMLText", L"design"}, {L"Caption", L"design"}};
  // A tree without columns still gets its header font, then falls through
  // to its Caption; a tab set without tabs likewise.
  PlainComponent& tree = form.Own(L"TVirtualDrawTree", L"Tree");
  tree.properties[L"Caption"] = L"design";
  PlainComponent& emptyTabs = form.Own(L"TAdvOfficeTabSet", L"EmptyTabs");
  emptyTabs.properties[L"Caption"] = L"design";
  PlainComponent& untranslated = form.Own(L"TCheckBox", L"NotInFile");
  untranslated.properties[L"Caption"] = L"design";

  lang.Set_Components(L"Form_RC", form);

  EXPECT_EQ(form.properties[L"Caption"], L"Titel");
  EXPECT_EQ(html.htmlLines, (Lines{L"<b>eins</b>", L"zwei"}));
  EXPECT_EQ(smooth.captionText, L"glatt");
  EXPECT_EQ(nav.properties[L"Caption"], L"Sichern");
  EXPECT_EQ(nav.repaints, 1);
  EXPECT_EQ(check.properties[L"Caption"], L"Schriften");
  EXPECT_EQ(htmlProp.properties[L"HTMLText"], L"<i>x</i>");
  EXPECT_EQ(htmlProp.properties[L"Caption"], L"design");
  EXPECT_EQ(tree.headerFont, L"Tahoma");
  EXPECT_EQ(tree.properties[L"Caption"], L"Spalte");
  EXPECT_EQ(emptyTabs.properties[L"Caption"], L"Reiter");
  EXPECT_EQ(untranslated.properties[L"Caption"], L"design");
  EXPECT_EQ(lang.MissingObjects, 0u);
}

TEST(ApplyTranslation, TagZeroIsSkippedButItsChildrenAreVisited) {
  TLang lang;
  lang.Translation.Assign({L"F.Panel=panel text", L"F.Inner=inner text"});
  PlainComponent form(L"TForm_X", L"F");
  PlainComponent& panel = form.Own(L"TPanel", L"Panel", 0);
  panel.properties[L"Caption"] = L"design";
  PlainComponent& inner = panel.Own(L"TLabel", L"Inner");
  inner.properties[L"Caption"] = L"design";
  lang.Set_Components(L"F", form);
  EXPECT_EQ(panel.properties[L"Caption"], L"design");
  EXPECT_EQ(inner.properties[L"Caption"], L"inner text");
}

TEST(ApplyTranslation, ComponentsThatCannotTakeTheirTextAreCounted) {
  TLang lang;
  lang.Translation.Assign({L"F.Throws=x", L"F.NoText=x", L"F.EmptyTree=x", L"F.NoLine=", L"F.Tagless=x"});
  PlainComponent form(L"TForm_X", L"F");  // no line for the form: not counted
  PlainComponent& throws = form.Own(L"TLabel", L"Throws");
  throws.properties[L"Caption"] = L"design";
  throws.failing.insert(L"Caption");
  form.Own(L"TImage", L"NoText");
  form.Own(L"TVirtualDrawTree", L"EmptyTree");
  form.Own(L"TLabel", L"NoLine");
  form.Own(L"TImage", L"Tagless", 0);
  lang.Set_Components(L"F", form);
  EXPECT_EQ(lang.MissingObjects, 3u);
  EXPECT_EQ(throws.properties[L"Caption"], L"design");
}

TEST(ExportTexts, TextsAndHtmlFlagsByKind) {
  TLang lang;
  PlainComponent form(L"TForm_Options", L"Form_Options");
  form.properties[L"Caption"] = L"Optionen";
  PlainComponent& html = form.Own(L"THTMLabel", L"Html");
  html.htmlLines = {L"<b>a</b>", L"b"};
  PlainComponent& smooth = form.Own(L"TAdvSmoothLabel", L"Smooth");
  smooth.captionText = L"glatt";
  smooth.width = 140;
  PlainComponent& tabs = form.Own(L"TAdvOfficeTabSet", L"Tabs");
  tabs.items = {L"Eins", L"Zwei"};
  PlainComponent& list = form.Own(L"TListView", L"List");
  list.items = {L"Name", L"Datum"};
  list.properties[L"Caption"] = L"";  // empty: the columns are used
  PlainComponent& htmlText = form.Own(L"TOther", L"HtmlText");
  htmlText.properties = {{L"HTMLText", L"<u>u</u>"}, {L"Caption", L"c"}};
  PlainComponent& unreadable = form.Own(L"TOther", L"Unreadable");
  unreadable.properties = {{L"HTMLText", L"x"}, {L"Caption", L"fallback"}};
  unreadable.failing.insert(L"HTMLText");
  form.Own(L"TImage", L"Nothing");  // empty text equals the missing line: not written

  ASSERT_TRUE(lang.Get_Components(L"Form_Options", form, L"2.00.00"));
  EXPECT_EQ(lang.Translation.Lines(), (Lines{L"Form_Options.Form_Options=Optionen",
                                             L"Form_Options.Html=<b>a</b>%CRLFb%CRLF", L"Form_Options.Smooth=glatt",
                                             L"Form_Options.Tabs=Eins%CRLFZwei", L"Form_Options.List=Name%CRLFDatum",
                                             L"Form_Options.HtmlText=<u>u</u>", L"Form_Options.Unreadable=fallback"}));
  EXPECT_EQ(lang.Index.Lines(), (Lines{L"Form_Options.Form_Options=TEXT,0,2.00.00", L"Form_Options.Html=HTML,0,2.00.00",
                                       L"Form_Options.Smooth=TEXT,140,2.00.00", L"Form_Options.Tabs=TEXT,0,2.00.00",
                                       L"Form_Options.List=TEXT,0,2.00.00", L"Form_Options.HtmlText=HTML,0,2.00.00",
                                       L"Form_Options.Unreadable=TEXT,0,2.00.00"}));
}

TEST(ExportTexts, MaximumWidthRules) {
  struct Case {
    const wchar_t* className;
    int width;
    std::map<std::wstring, std::wstring> properties;
    int expected;
  };
  const Case cases[] = {
      {L"TLabel", 100, {}, 0},
      {L"TLabel", 100, {{L"AutoSize", L"false"}}, 100},
      {L"TLabel", 100, {{L"AutoSize", L"True"}}, 0},
      {L"TLabel", 100, {{L"AutoSizeType", L"asVertical"}}, 100},
      {L"TLabel", 100, {{L"AutoSize", L"FALSE"}, {L"CaptionMaxWidth", L"77"}}, 77},
      {L"TCheckBox", 276, {{L"CaptionMaxWidth", L"77"}}, 276},
      {L"TTntRadioButton", 90, {}, 90},
      {L"TButton", 75, {}, 75},
      {L"TAdvGlowButton", 48, {}, 48},
      {L"TAdvGlowButton", 49, {}, 23},
      {L"TAdvGlowButton", 120, {{L"CaptionMaxWidth", L"5"}}, 94},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.className) + L" " + std::to_wstring(c.width));
    TLang lang;
    PlainComponent component(c.className, L"C");
    component.width = c.width;
    component.properties = c.properties;
    component.properties[L"Caption"] = L"text";
    ASSERT_TRUE(lang.Get_Components(L"F", component, L"2.00.00"));
    EXPECT_EQ(lang.Index.ValueOf(L"F.C"), L"TEXT," + std::to_wstring(c.expected) + L",2.00.00");
  }
}

TEST(ExportTexts, UnchangedTextsKeepTheirLinesAndChangedOnesKeepTheirWidth) {
  TLang lang;
  lang.Translation.Assign({L"F.Same=Gleich%crlfauch", L"F.Changed=alt", L"f.form=alt"});
  lang.Index.Assign({L"F.Same=TEXT,10,1.00.00", L"F.Changed=HTML,200,1.00.00", L"F.F=TEXT,0,1.00.00"});
  PlainComponent form(L"TForm_X", L"F");
  form.properties[L"Caption"] = L"neu";
  PlainComponent& same = form.Own(L"TLabel", L"Same");
  same.properties[L"Caption"] = L"Gleich\r\nauch";
  PlainComponent& changed = form.Own(L"TButton", L"Changed");
  changed.width = 80;
  changed.properties[L"Caption"] = L"neu";

  ASSERT_TRUE(lang.Get_Components(L"F", form, L"2.00.00"));
  EXPECT_EQ(lang.Translation.Lines(), (Lines{L"F.Same=Gleich%crlfauch", L"F.Changed=neu", L"f.form=alt", L"F.F=neu"}));
  // The recorded width 200 wins over the button's 80; the stored kind is
  // replaced by the component's own.
  EXPECT_EQ(lang.Index.Lines(),
            (Lines{L"F.Same=TEXT,10,1.00.00", L"F.Changed=TEXT,200,2.00.00", L"F.F=TEXT,0,2.00.00"}));
}

TEST(ExportTexts, AMalformedIndexWidthEndsTheExport) {
  TLang lang;
  lang.Index.Assign({L"F.A=TEXT,abc,1.00.00"});
  PlainComponent form(L"TForm_X", L"F", 0);
  PlainComponent& a = form.Own(L"TLabel", L"A");
  a.properties[L"Caption"] = L"new";
  PlainComponent& b = form.Own(L"TLabel", L"B");
  b.properties[L"Caption"] = L"later";
  EXPECT_FALSE(lang.Get_Components(L"F", form, L"2.00.00"));
  EXPECT_EQ(lang.Translation.IndexOfName(L"F.B"), -1);
}

}  // namespace
}  // namespace keytidy
