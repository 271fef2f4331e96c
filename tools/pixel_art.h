#pragma once
// The text sources of the pictures: a palette of one-letter colours and
// named pixel maps, read from assets/pictures/*.txt, and the drawing of them
// into memory bitmaps. Used only by the tools that paint and preview the
// asset pack, never by the game.
//
// File syntax, line by line:
//   # ...                   a comment (also blank lines)
//   colour L R G B ...      letter L stands for the colour R G B
//   sprite NAME             a pixel map follows, one text row per pixel row,
//   ...                     closed by a line "end"; a dot is transparent
//   mirror NAME SOURCE      NAME is SOURCE flipped left to right

#include <allegro.h>

#include <map>
#include <string>
#include <vector>

struct PixelMap {
  int w = 0;
  int h = 0;
  std::vector<std::string> rows;  // h rows of w letters

  bool ink(int x, int y) const { return rows[y][x] != '.'; }
};

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

struct Art {
  std::map<char, Rgb> palette;
  std::map<std::string, PixelMap> maps;
};

// Reads one source file into `art`. On failure returns false with `error`
// naming the file and line.
bool read_art_file(const std::string& path, Art& art, std::string& error);

// The map called `name`; exits with a message when there is none, since a
// picture cannot be painted without it.
const PixelMap& art_map(const Art& art, const std::string& name);

// Draws a map in its palette colours with its top-left corner at (x, y);
// dots leave the bitmap as it is.
void draw_map(BITMAP* dest, const Art& art, const PixelMap& map, int x, int y);

// Draws a map's ink scaled up by a whole factor, coloured per output row by
// `colour_of_row(row, height)`.
template <typename RowColour>
void draw_shape(BITMAP* dest, const PixelMap& map, int x, int y, int scale, RowColour colour_of_row) {
  const int height = map.h * scale;
  for (int row = 0; row < height; ++row) {
    const int ink = colour_of_row(row, height);
    for (int col = 0; col < map.w * scale; ++col) {
      if (map.ink(col / scale, row / scale)) {
        putpixel(dest, x + col, y + row, ink);
      }
    }
  }
}

// Lettering in the 5 x 7 font of font.txt.
struct LetterStyle {
  int scale = 1;
  Rgb top;              // ink colour at the top of the letters...
  Rgb bottom;           // ...blending to this at the bottom
  int outline = -1;     // colour of a one-pixel rim around the ink, or -1
  int shadow = -1;      // colour of a drop shadow, or -1
  int shadow_drop = 0;  // its offset down and to the right
};

int text_width(const std::string& text, int scale);
void draw_text(BITMAP* dest, const Art& art, const std::string& text, int x, int y, const LetterStyle& style);
void draw_text_centred(BITMAP* dest, const Art& art, const std::string& text, int centre_x, int y,
                       const LetterStyle& style);

// The colour a fraction t (0 to 1) of the way from a to b.
Rgb blend(Rgb a, Rgb b, double t);
int colour(Rgb c);
