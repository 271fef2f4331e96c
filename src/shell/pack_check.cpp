#include "shell/pack_check.h"

#include <allegro/internal/aintern.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "shell/assets.h"

namespace {

constexpr int BITMAP_HEADER_BYTES = 6;
constexpr int SKIP_CHUNK = 4096;

PackVerdict fail(std::string reason) { return PackVerdict{false, std::move(reason)}; }
PackVerdict pass() { return PackVerdict{true, {}}; }

std::string entry_name(int index) { return "entry " + std::to_string(index); }

std::uint32_t big_endian(const unsigned char* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) {
    value = (value << 8) | p[i];
  }
  return value;
}

// Reads exactly `count` bytes, as the loader's pack_mgetl and pack_fread do;
// false when the file ends first.
bool read_exactly(PACKFILE* file, unsigned char* into, int count) {
  return count == 0 || pack_fread(into, count, file) == count;
}

bool read_u32(PACKFILE* file, std::uint32_t& value) {
  std::array<unsigned char, 4> bytes{};
  if (!read_exactly(file, bytes.data(), 4)) {
    return false;
  }
  value = big_endian(bytes.data(), 4);
  return true;
}

// Reads and drops `count` bytes; false when the file ends first.
bool skip_exactly(PACKFILE* file, int count) {
  std::array<unsigned char, SKIP_CHUNK> scratch{};
  while (count > 0) {
    const int step = count < SKIP_CHUNK ? count : SKIP_CHUNK;
    if (!read_exactly(file, scratch.data(), step)) {
      return false;
    }
    count -= step;
  }
  return true;
}

// Bytes per pixel of a stored bitmap, by its depth field; 0 when the loader
// could not build it. The library stores 24- and 32-bit pictures as three
// bytes of RGB and -32 (32-bit with alpha) as four.
int stored_pixel_bytes(std::int16_t depth) {
  switch (depth) {
    case 8:
      return 1;
    case 15:
    case 16:
      return 2;
    case 24:
    case 32:
      return 3;
    case -32:
      return 4;
    default:
      return 0;
  }
}

// Object kinds that the library's loader builds something from, and the end
// marker, which would select an empty slot of its table. Any other kind is
// kept as raw bytes, which a checked size makes safe.
bool is_refused_kind(std::uint32_t type) {
  switch (type) {
    case static_cast<std::uint32_t>(DAT_END):
    case static_cast<std::uint32_t>(DAT_FILE):
    case static_cast<std::uint32_t>(DAT_FONT):
    case static_cast<std::uint32_t>(DAT_SAMPLE):
    case static_cast<std::uint32_t>(DAT_MIDI):
    case static_cast<std::uint32_t>(DAT_RLE_SPRITE):
    case static_cast<std::uint32_t>(DAT_C_SPRITE):
    case static_cast<std::uint32_t>(DAT_XC_SPRITE):
      return true;
    default:
      return false;
  }
}

// The data of one object, read from its chunk as the loader reads it.
PackVerdict check_object_data(PACKFILE* chunk, std::uint32_t type, int size, int index) {
  const std::string truncated = "is truncated: " + entry_name(index) + " ends early";
  if (type != static_cast<std::uint32_t>(DAT_BITMAP)) {
    return skip_exactly(chunk, size) ? pass() : fail(truncated);
  }
  std::array<unsigned char, BITMAP_HEADER_BYTES> header{};
  if (size < BITMAP_HEADER_BYTES || !read_exactly(chunk, header.data(), BITMAP_HEADER_BYTES)) {
    return fail(truncated);
  }
  const auto depth = static_cast<std::int16_t>(big_endian(header.data(), 2));
  const auto width = static_cast<int>(big_endian(header.data() + 2, 2));
  const auto height = static_cast<int>(big_endian(header.data() + 4, 2));
  const int pixel_bytes = stored_pixel_bytes(depth);
  if (pixel_bytes == 0) {
    return fail("is damaged: " + entry_name(index) + " is a picture of an unknown colour depth (" +
                std::to_string(depth) + ")");
  }
  if (width < 1 || height < 1 || width > MAX_PICTURE_SIDE || height > MAX_PICTURE_SIDE) {
    return fail("is damaged: " + entry_name(index) + " is a picture of impossible size " +
                std::to_string(width) + " x " + std::to_string(height));
  }
  const std::int64_t pixels = std::int64_t{width} * height * pixel_bytes;
  if (BITMAP_HEADER_BYTES + pixels != size) {
    return fail("is damaged: " + entry_name(index) + " holds " + std::to_string(size) +
                " bytes where its picture needs " + std::to_string(BITMAP_HEADER_BYTES + pixels));
  }
  return skip_exactly(chunk, static_cast<int>(pixels)) ? pass() : fail(truncated);
}

// An object's chunk, just opened by the library from `file`.
PackVerdict check_chunk(PACKFILE* file, PACKFILE* chunk, std::uint32_t type, int index,
                        const std::string& truncated) {
  if (pack_feof(file) != 0) {
    return fail(truncated);
  }
  // The chunk's header, as the loader sees it; a compressed size comes
  // out positive.
  const int size = _packfile_datasize;
  if (size <= 0 || size > MAX_OBJECT_BYTES || _packfile_filesize <= 0) {
    return fail("is damaged: " + entry_name(index) + " has impossible sizes");
  }
  return check_object_data(chunk, type, size, index);
}

// One object: its properties, its kind, then its data in a chunk of its own.
// The chunk is opened and closed by the library, so that the file is left
// exactly where the loader will leave it, compressed or not.
PackVerdict check_object(PACKFILE* file, int index, int count) {
  const std::string truncated =
      "is truncated: " + entry_name(index) + " of " + std::to_string(count) + " ends early";
  std::uint32_t type = 0;
  if (!read_u32(file, type)) {
    return fail(truncated);
  }
  while (type == static_cast<std::uint32_t>(DAT_PROPERTY)) {
    std::uint32_t property = 0;
    std::uint32_t length = 0;
    if (!read_u32(file, property) || !read_u32(file, length)) {
      return fail(truncated);
    }
    if (length > static_cast<std::uint32_t>(MAX_PROPERTY_BYTES)) {
      return fail("is damaged: " + entry_name(index) + " has a property of impossible length");
    }
    if (!skip_exactly(file, static_cast<int>(length)) || !read_u32(file, type)) {
      return fail(truncated);
    }
  }
  if (index < PACK_PICTURES && type != static_cast<std::uint32_t>(DAT_BITMAP)) {
    return fail("does not begin with ten pictures: " + entry_name(index) + " is not a picture");
  }
  if (is_refused_kind(type)) {
    return fail("holds a kind of object the game does not use in " + entry_name(index));
  }

  PACKFILE* chunk = pack_fopen_chunk(file, FALSE);
  if (chunk == nullptr) {
    return fail("cannot be read: " + entry_name(index) + " could not be opened");
  }
  PackVerdict verdict = check_chunk(file, chunk, type, index, truncated);
  pack_fclose_chunk(chunk);
  if (verdict.ok && pack_ferror(file) != 0) {
    verdict = fail("cannot be read");
  }
  return verdict;
}

PackVerdict check_open_pack(PACKFILE* file) {
  std::uint32_t magic = 0;
  if (!read_u32(file, magic)) {
    return fail("is truncated: it ends before its header");
  }
  if (magic != static_cast<std::uint32_t>(DAT_MAGIC)) {
    return fail("is not an asset pack (wrong header)");
  }
  std::uint32_t count = 0;
  if (!read_u32(file, count)) {
    return fail("is truncated: it ends before its count of entries");
  }
  if (count > static_cast<std::uint32_t>(MAX_PACK_OBJECTS)) {
    return fail("is damaged: it claims " + std::to_string(static_cast<std::int32_t>(count)) + " entries");
  }
  if (count < static_cast<std::uint32_t>(PACK_PICTURES)) {
    return fail("holds " + std::to_string(count) + " entries where the game needs ten pictures");
  }
  for (int index = 0; index < static_cast<int>(count); ++index) {
    PackVerdict verdict = check_object(file, index, static_cast<int>(count));
    if (!verdict.ok) {
      return verdict;
    }
  }
  return pass();
}

}  // namespace

PackVerdict check_pack(const char* path) {
  int attributes = 0;
  if (file_exists(path, FA_ALL, &attributes) != 0 && (attributes & FA_DIREC) != 0) {
    return fail("cannot be read: it is a folder");
  }
  PACKFILE* file = pack_fopen(path, F_READ_PACKED);
  if (file == nullptr) {
    const int error = *allegro_errno;
    if (error == ENOENT) {
      return fail("is missing from the game's folder");
    }
    if (error == EDOM) {
      // Too short to hold the header at all, or a header of another kind.
      return fail(file_size_ex(path) < 4 ? "is truncated: it ends inside its header"
                                          : "is not an asset pack (wrong header)");
    }
    return fail(std::string("cannot be read: ") + std::strerror(error));
  }
  PackVerdict verdict = check_open_pack(file);
  pack_fclose(file);
  return verdict;
}

DATAFILE* load_checked_pack(const char* path, PackVerdict& verdict) {
  verdict = check_pack(path);
  if (!verdict.ok) {
    return nullptr;
  }
  DATAFILE* pack = load_datafile(path);
  verdict = check_loaded_pack(pack);
  if (!verdict.ok && pack != nullptr) {
    unload_datafile(pack);
    pack = nullptr;
  }
  return pack;
}

PackVerdict check_loaded_pack(const DATAFILE* pack) {
  if (pack == nullptr) {
    return fail("could not be loaded");
  }
  for (int index = 0; index < PACK_PICTURES; ++index) {
    if (pack[index].type != DAT_BITMAP || pack[index].dat == nullptr) {
      return fail("does not begin with ten pictures: " + entry_name(index) + " is not a picture");
    }
  }
  return pass();
}
