#include "pixel_art.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <sstream>

namespace {

constexpr int GLYPH_W = 5;
constexpr int GLYPH_H = 7;
constexpr int SPACE_W = 3;
constexpr int LETTER_GAP = 1;

std::string glyph_name(char c) {
  switch (c) {
    case ':': return "font_colon";
    case '.': return "font_dot";
    case ',': return "font_comma";
    case '!': return "font_bang";
    case '-': return "font_dash";
    case '\'': return "font_quote";
    case '/': return "font_slash";
    case '?': return "font_query";
    case '>': return "font_arrow";
    default: return std::string("font_") + c;
  }
}

int advance(char c, int scale) { return ((c == ' ' ? SPACE_W : GLYPH_W) + LETTER_GAP) * scale; }

}  // namespace

bool read_art_file(const std::string& path, Art& art, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = path + ": cannot read";
    return false;
  }
  std::string line;
  int line_no = 0;
  std::string open;  // name of the sprite being read, if any
  PixelMap map;
  const auto fail = [&](const std::string& why) {
    error = path + ":" + std::to_string(line_no) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++line_no;
    if (!open.empty()) {
      if (line == "end") {
        if (map.h == 0) {
          return fail("empty sprite " + open);
        }
        art.maps[open] = map;
        open.clear();
      } else if (map.h > 0 && static_cast<int>(line.size()) != map.w) {
        return fail("row of " + std::to_string(line.size()) + " letters in a sprite " + std::to_string(map.w) +
                    " wide");
      } else {
        map.w = static_cast<int>(line.size());
        map.rows.push_back(line);
        ++map.h;
      }
      continue;
    }
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word[0] == '#') {
      continue;
    }
    if (word == "colour") {
      std::string letter;
      Rgb c;
      if (!(words >> letter >> c.r >> c.g >> c.b) || letter.size() != 1 || letter == ".") {
        return fail("expected: colour LETTER RED GREEN BLUE");
      }
      art.palette[letter[0]] = c;
    } else if (word == "sprite") {
      if (!(words >> open) || art.maps.count(open) != 0) {
        return fail("missing or repeated sprite name");
      }
      map = PixelMap{};
    } else if (word == "mirror") {
      std::string name;
      std::string source;
      if (!(words >> name >> source) || art.maps.count(source) == 0) {
        return fail("expected: mirror NAME SOURCE, with SOURCE defined above");
      }
      PixelMap flipped = art.maps[source];
      for (std::string& row : flipped.rows) {
        row.assign(row.rbegin(), row.rend());
      }
      art.maps[name] = flipped;
    } else {
      return fail("unknown word " + word);
    }
  }
  if (!open.empty()) {
    return fail("sprite " + open + " has no end");
  }
  return true;
}

const PixelMap& art_map(const Art& art, const std::string& name) {
  const auto found = art.maps.find(name);
  if (found == art.maps.end()) {
    std::fprintf(stderr, "paint: no sprite called %s\n", name.c_str());
    std::exit(1);
  }
  return found->second;
}

int colour(Rgb c) { return makecol(c.r, c.g, c.b); }

Rgb blend(Rgb a, Rgb b, double t) {
  const auto mix = [t](int p, int q) { return static_cast<int>(std::lround(p + (q - p) * t)); };
  return Rgb{mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

void draw_map(BITMAP* dest, const Art& art, const PixelMap& map, int x, int y) {
  for (int row = 0; row < map.h; ++row) {
    for (int col = 0; col < map.w; ++col) {
      const char letter = map.rows[row][col];
      if (letter == '.') {
        continue;
      }
      const auto found = art.palette.find(letter);
      if (found == art.palette.end()) {
        std::fprintf(stderr, "paint: letter %c has no colour\n", letter);
        std::exit(1);
      }
      putpixel(dest, x + col, y + row, colour(found->second));
    }
  }
}

int text_width(const std::string& text, int scale) {
  const int width =
      std::accumulate(text.begin(), text.end(), 0, [scale](int sum, char c) { return sum + advance(c, scale); });
  return text.empty() ? 0 : width - LETTER_GAP * scale;
}

void draw_text(BITMAP* dest, const Art& art, const std::string& text, int x, int y, const LetterStyle& style) {
  // The ink first goes into a scratch bitmap with room for the rim and the
  // shadow, so that both can follow the letters' outline.
  const int margin = 1 + style.shadow_drop;
  const int w = text_width(text, style.scale) + 2 * margin;
  const int h = GLYPH_H * style.scale + 2 * margin;
  BITMAP* ink = create_bitmap(w, h);
  clear_to_color(ink, 0);
  const int mark = makecol(255, 255, 255);
  int pen = margin;
  for (const char c : text) {
    if (c != ' ') {
      draw_shape(ink, art_map(art, glyph_name(c)), pen, margin, style.scale, [mark](int, int) { return mark; });
    }
    pen += advance(c, style.scale);
  }
  const auto inked = [&](int px, int py) {
    return px >= 0 && py >= 0 && px < w && py < h && getpixel(ink, px, py) == mark;
  };
  const auto rimmed = [&](int px, int py) {
    if (style.outline < 0) {
      return false;
    }
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (inked(px + dx, py + dy)) {
          return true;
        }
      }
    }
    return false;
  };
  const int left = x - margin;
  const int top = y - margin;
  if (style.shadow >= 0) {
    for (int py = 0; py < h; ++py) {
      for (int px = 0; px < w; ++px) {
        if (inked(px, py) || rimmed(px, py)) {
          putpixel(dest, left + px + style.shadow_drop, top + py + style.shadow_drop, style.shadow);
        }
      }
    }
  }
  const int letters_h = GLYPH_H * style.scale;
  for (int py = 0; py < h; ++py) {
    const double t = letters_h > 1 ? static_cast<double>(py - margin) / (letters_h - 1) : 0.0;
    const int fill = colour(blend(style.top, style.bottom, t < 0 ? 0 : (t > 1 ? 1 : t)));
    for (int px = 0; px < w; ++px) {
      if (inked(px, py)) {
        putpixel(dest, left + px, top + py, fill);
      } else if (rimmed(px, py)) {
        putpixel(dest, left + px, top + py, style.outline);
      }
    }
  }
  destroy_bitmap(ink);
}

void draw_text_centred(BITMAP* dest, const Art& art, const std::string& text, int centre_x, int y,
                       const LetterStyle& style) {
  draw_text(dest, art, text, centre_x - text_width(text, style.scale) / 2, y, style);
}
