#pragma once
// The small HTML dialect of our catalogue texts, parsed into pieces a label
// can lay out: <b>, <i>, <u>, <br>, <font color= size= face=>, <a href=>,
// <img src="idx:N">, <ind x=N> and the entities &amp; &lt; &gt; &quot;
// &nbsp; &#N; &#xN;. Unknown tags are dropped, unknown entities kept as
// written, and a closing tag without its opening one is ignored, so any text
// gives some readable result.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keytidy::ui {

struct HtmlStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::optional<COLORREF> color;  // none: the label's font colour
  int points = 0;                 // 0: the label's font size
  std::wstring face;              // empty: the label's font face
  bool operator==(const HtmlStyle&) const = default;
};

struct HtmlPiece {
  enum class Kind { Text, LineBreak, Image, Indent };
  Kind kind = Kind::Text;
  std::wstring text;  // Text: one word or one run of blanks
  HtmlStyle style;
  std::wstring link;  // the href of the enclosing <a>, empty outside one
  int number = 0;     // Image: image index; Indent: x position
};

std::vector<HtmlPiece> ParseHtml(std::wstring_view markup);

// Plain text of the markup (tags dropped, entities resolved, <br> as CR LF).
std::wstring HtmlToPlainText(std::wstring_view markup);

// Laid-out pieces: each with its box inside the label.
struct HtmlBox {
  size_t piece = 0;  // index into the parsed pieces
  RECT box{};
  int baseline = 0;  // y of the text baseline
};

struct HtmlMeasure {
  int width = 0;
  int ascent = 0;
  int descent = 0;
};

// Word-wraps the pieces into the given width. `measure` gives the size of a
// text piece or an image; blanks at the start of a wrapped line take no room.
template <typename Measure>
std::vector<HtmlBox> LayoutHtml(const std::vector<HtmlPiece>& pieces, int width, Measure measure);

// --- implementation of the template ---------------------------------------

template <typename Measure>
std::vector<HtmlBox> LayoutHtml(const std::vector<HtmlPiece>& pieces, int width, Measure measure) {
  std::vector<HtmlBox> boxes;
  struct Pending {
    size_t piece;
    int x;
    HtmlMeasure size;
  };
  std::vector<Pending> line;
  int x = 0, y = 0;
  int lineAscent = 0, lineDescent = 0;
  int emptyLineHeight = 0;

  auto finishLine = [&] {
    int ascent = lineAscent, descent = lineDescent;
    if (line.empty() && ascent + descent == 0) ascent = emptyLineHeight;
    for (const Pending& p : line)
      boxes.push_back({p.piece, RECT{p.x, y + ascent - p.size.ascent, p.x + p.size.width, y + ascent + p.size.descent},
                       y + ascent});
    y += ascent + descent;
    line.clear();
    x = 0;
    lineAscent = lineDescent = 0;
  };

  for (size_t i = 0; i < pieces.size(); ++i) {
    const HtmlPiece& piece = pieces[i];
    switch (piece.kind) {
      case HtmlPiece::Kind::LineBreak: {
        HtmlPiece blankPiece;
        blankPiece.text = L" ";
        blankPiece.style = piece.style;
        const HtmlMeasure blank = measure(blankPiece);
        emptyLineHeight = blank.ascent + blank.descent;
        if (line.empty()) {
          lineAscent = std::max(lineAscent, blank.ascent);
          lineDescent = std::max(lineDescent, blank.descent);
        }
        finishLine();
        break;
      }
      case HtmlPiece::Kind::Indent: x = std::max(x, piece.number); break;
      case HtmlPiece::Kind::Text:
      case HtmlPiece::Kind::Image: {
        const bool blank = piece.kind == HtmlPiece::Kind::Text && !piece.text.empty() && piece.text[0] == L' ';
        if (blank && line.empty() && x == 0 && !boxes.empty()) break;  // no blanks at a wrapped line's start
        const HtmlMeasure size = measure(piece);
        if (!blank && !line.empty() && x + size.width > width) {
          // Trailing blanks of the full line stay behind.
          while (!line.empty() && pieces[line.back().piece].kind == HtmlPiece::Kind::Text &&
                 pieces[line.back().piece].text[0] == L' ')
            line.pop_back();
          finishLine();
        }
        line.push_back({i, x, size});
        x += size.width;
        lineAscent = std::max(lineAscent, size.ascent);
        lineDescent = std::max(lineDescent, size.descent);
        break;
      }
    }
  }
  if (!line.empty()) finishLine();
  return boxes;
}

}  // namespace keytidy::ui
