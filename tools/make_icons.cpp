// Makes the desktop icons from the game's own pictures: a marcher under its
// overlay, taken from the pack, scaled up and written as RGBA PNG files.
// Usage: make_icons PACK OUTPUT_DIR
// Runs without a display: only memory bitmaps are used.

#include <allegro.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "shell/assets.h"
#include "shell/pack_check.h"

namespace {

constexpr int CELL_W = 26;
constexpr int CELL_H = 30;
constexpr int OVERLAY_W = 52;
constexpr int OVERLAY_H = 40;
// The figure: the overlay with the marcher's body standing under it.
constexpr int FIGURE_W = OVERLAY_W;
constexpr int FIGURE_H = OVERLAY_H + CELL_H;
constexpr int ICON_KIND = 0;
constexpr int ICON_FRAME = 1;
constexpr std::array<int, 2> ICON_SIZES{48, 256};

struct Rgba {
  double r, g, b, a;
};

using Image = std::vector<Rgba>;

// The figure's pixels, with the mask colour as transparency.
Image figure_pixels(DATAFILE* pack) {
  BITMAP* figure = create_bitmap(FIGURE_W, FIGURE_H);
  const int mask = bitmap_mask_color(figure);
  clear_to_color(figure, mask);
  masked_blit(pack_bitmap(pack, SHEET_OVERLAY), figure, (ICON_FRAME - 1) * OVERLAY_W, 0, 0, 0, OVERLAY_W,
              OVERLAY_H);
  masked_blit(pack_bitmap(pack, SHEET_MARCHER), figure, (ICON_FRAME - 1) * CELL_W, ICON_KIND * CELL_H,
              (FIGURE_W - CELL_W) / 2, OVERLAY_H, CELL_W, CELL_H);
  Image pixels;
  for (int y = 0; y < FIGURE_H; ++y) {
    for (int x = 0; x < FIGURE_W; ++x) {
      const int c = getpixel(figure, x, y);
      if (c == mask) {
        pixels.push_back({0, 0, 0, 0});
      } else {
        pixels.push_back({double(getr(c)), double(getg(c)), double(getb(c)), 255});
      }
    }
  }
  destroy_bitmap(figure);
  return pixels;
}

// Fits the figure into a square icon of `size`, averaging over the area each
// icon pixel covers, so that both enlarging and shrinking stay clean.
Image icon_pixels(const Image& figure, int size) {
  const double scale = static_cast<double>(FIGURE_H) / (size * 0.9);
  const double left = (FIGURE_W - size * scale) / 2;
  const double top = (FIGURE_H - size * scale) / 2;
  Image icon(static_cast<std::size_t>(size) * size, Rgba{0, 0, 0, 0});
  constexpr int SAMPLES = 4;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Rgba sum{0, 0, 0, 0};
      for (int sy = 0; sy < SAMPLES; ++sy) {
        for (int sx = 0; sx < SAMPLES; ++sx) {
          const double fx = left + (x + (sx + 0.5) / SAMPLES) * scale;
          const double fy = top + (y + (sy + 0.5) / SAMPLES) * scale;
          if (fx < 0 || fy < 0 || fx >= FIGURE_W || fy >= FIGURE_H) {
            continue;
          }
          const Rgba& p = figure[static_cast<std::size_t>(fy) * FIGURE_W + static_cast<std::size_t>(fx)];
          sum.r += p.r * p.a;
          sum.g += p.g * p.a;
          sum.b += p.b * p.a;
          sum.a += p.a;
        }
      }
      if (sum.a > 0) {
        icon[static_cast<std::size_t>(y) * size + x] = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a,
                                                         sum.a / (SAMPLES * SAMPLES)};
      }
    }
  }
  return icon;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(v >> shift));
  }
}

void chunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
  put32(png, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  png.insert(png.end(), body.begin(), body.end());
  put32(png, crc32(body.data(), body.size()));
}

// An RGBA PNG with the image data in stored (uncompressed) deflate blocks:
// icons are small, and this keeps the writer short.
std::vector<std::uint8_t> encode_png(const Image& icon, int size) {
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < size; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < size; ++x) {
      const Rgba& p = icon[static_cast<std::size_t>(y) * size + x];
      const std::array<double, 4> channels{p.r, p.g, p.b, p.a};
      std::transform(channels.begin(), channels.end(), std::back_inserter(raw),
                     [](double channel) { return static_cast<std::uint8_t>(std::lround(channel)); });
    }
  }
  std::vector<std::uint8_t> zlib{0x78, 0x01};
  constexpr std::size_t BLOCK = 65535;
  for (std::size_t at = 0; at < raw.size(); at += BLOCK) {
    const std::size_t n = std::min(BLOCK, raw.size() - at);
    zlib.push_back(at + n == raw.size() ? 1 : 0);
    zlib.push_back(static_cast<std::uint8_t>(n));
    zlib.push_back(static_cast<std::uint8_t>(n >> 8));
    zlib.push_back(static_cast<std::uint8_t>(~n));
    zlib.push_back(static_cast<std::uint8_t>(~n >> 8));
    zlib.insert(zlib.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
  }
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32(zlib, (b << 16) | a);

  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  put32(header, static_cast<std::uint32_t>(size));
  put32(header, static_cast<std::uint32_t>(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", zlib);
  chunk(png, "IEND", {});
  return png;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_icons PACK OUTPUT_DIR\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    std::fprintf(stderr, "make_icons: the library did not start\n");
    return 1;
  }
  set_color_depth(32);
  PackVerdict verdict;
  DATAFILE* pack = load_checked_pack(argv[1], verdict);
  if (pack == nullptr) {
    std::fprintf(stderr, "make_icons: %s %s\n", argv[1], verdict.reason.c_str());
    return 1;
  }
  const Image figure = figure_pixels(pack);
  for (const int size : ICON_SIZES) {
    const std::vector<std::uint8_t> png = encode_png(icon_pixels(figure, size), size);
    const std::string path = std::string(argv[2]) + "/tulka-" + std::to_string(size) + ".png";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(png.data(), 1, png.size(), out) != png.size() || std::fclose(out) != 0) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  unload_datafile(pack);
  return 0;
}
