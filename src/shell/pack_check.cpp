#include "shell/pack_check.h"

#include <allegro/lzss.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "shell/assets.h"

namespace {

constexpr std::size_t READ_CHUNK = 64u << 10;
constexpr std::size_t PALETTE_BYTES = std::size_t{256} * 4;
constexpr std::size_t BITMAP_HEADER_BYTES = 6;

PackVerdict fail(std::string reason) { return PackVerdict{false, std::move(reason)}; }

std::string entry_name(int index) { return "entry " + std::to_string(index); }

// A bounds-checked big-endian reader over the datafile body.
struct Reader {
  const unsigned char* data;
  std::size_t size;
  std::size_t at = 0;

  std::size_t left() const { return size - at; }

  bool read_u32(std::uint32_t& value) {
    if (left() < 4) {
      return false;
    }
    value = (std::uint32_t{data[at]} << 24) | (std::uint32_t{data[at + 1]} << 16) |
            (std::uint32_t{data[at + 2]} << 8) | std::uint32_t{data[at + 3]};
    at += 4;
    return true;
  }

  bool read_i32(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!read_u32(raw)) {
      return false;
    }
    value = static_cast<std::int32_t>(raw);
    return true;
  }
};

std::uint16_t u16_at(const unsigned char* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

// Bytes per pixel of a stored bitmap, by its depth field; 0 when unknown.
// The library stores 24- and 32-bit pictures as three bytes of RGB and
// -32 (32-bit with alpha) as four.
std::size_t stored_pixel_bytes(std::int16_t depth) {
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

// Object kinds that the library's loader builds something from. Any other kind
// is kept as raw bytes, which a checked size makes safe.
bool has_special_loader(std::uint32_t type) {
  switch (type) {
    case static_cast<std::uint32_t>(DAT_FILE):
    case static_cast<std::uint32_t>(DAT_FONT):
    case static_cast<std::uint32_t>(DAT_SAMPLE):
    case static_cast<std::uint32_t>(DAT_MIDI):
    case static_cast<std::uint32_t>(DAT_PATCH):
    case static_cast<std::uint32_t>(DAT_RLE_SPRITE):
    case static_cast<std::uint32_t>(DAT_C_SPRITE):
    case static_cast<std::uint32_t>(DAT_XC_SPRITE):
      return true;
    default:
      return false;
  }
}

PackVerdict check_bitmap_header(const unsigned char* header, std::size_t size, int index) {
  if (size < BITMAP_HEADER_BYTES) {
    return fail(entry_name(index) + " is too short to be a picture");
  }
  const auto depth = static_cast<std::int16_t>(u16_at(header));
  const int width = u16_at(header + 2);
  const int height = u16_at(header + 4);
  const std::size_t pixel_bytes = stored_pixel_bytes(depth);
  if (pixel_bytes == 0) {
    return fail(entry_name(index) + " is a picture of an unknown colour depth (" +
                std::to_string(depth) + ")");
  }
  if (width < 1 || height < 1 || width > MAX_PICTURE_SIDE || height > MAX_PICTURE_SIDE) {
    return fail(entry_name(index) + " is a picture of impossible size " + std::to_string(width) +
                " x " + std::to_string(height));
  }
  const std::size_t expected =
      BITMAP_HEADER_BYTES + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * pixel_bytes;
  if (size != expected) {
    return fail(entry_name(index) + " holds " + std::to_string(size) + " bytes where its picture needs " +
                std::to_string(expected));
  }
  return PackVerdict{true, {}};
}

// A PACKFILE over a piece of memory, so that the library's own decompressor
// reads compressed objects exactly as load_datafile does.
struct MemorySource {
  const unsigned char* data;
  std::size_t size;
  std::size_t at;
};

int memory_close(void*) { return 0; }
int memory_getc(void* user) {
  auto* src = static_cast<MemorySource*>(user);
  return src->at < src->size ? src->data[src->at++] : EOF;
}
int memory_ungetc(int c, void* user) {
  auto* src = static_cast<MemorySource*>(user);
  if (src->at == 0) {
    return EOF;
  }
  --src->at;
  return c;
}
long memory_read(void* buf, long n, void* user) {
  auto* src = static_cast<MemorySource*>(user);
  const std::size_t count = std::min(static_cast<std::size_t>(n), src->size - src->at);
  std::memcpy(buf, src->data + src->at, count);
  src->at += count;
  return static_cast<long>(count);
}
int memory_putc(int, void*) { return EOF; }
long memory_write(const void*, long, void*) { return 0; }
int memory_seek(void* user, int offset) {
  auto* src = static_cast<MemorySource*>(user);
  if (offset < 0 || static_cast<std::size_t>(offset) > src->size - src->at) {
    return -1;
  }
  src->at += static_cast<std::size_t>(offset);
  return 0;
}
int memory_eof(void* user) {
  auto* src = static_cast<MemorySource*>(user);
  return src->at >= src->size ? 1 : 0;
}
int memory_error(void*) { return 0; }

PACKFILE_VTABLE memory_vtable = {memory_close, memory_getc,  memory_ungetc, memory_read, memory_putc,
                                 memory_write, memory_seek, memory_eof,    memory_error};

// Decompresses a compressed object, keeping its first bytes for the header
// check. Returns the number of bytes it expands to, up to `limit` + 1.
std::size_t expand_object(const unsigned char* data, std::size_t size, std::size_t limit,
                          std::array<unsigned char, BITMAP_HEADER_BYTES>& head) {
  MemorySource source{data, size, 0};
  PACKFILE* file = pack_fopen_vtable(&memory_vtable, &source);
  LZSS_UNPACK_DATA* unpack = create_lzss_unpack_data();
  std::size_t total = 0;
  if (file != nullptr && unpack != nullptr) {
    std::array<unsigned char, 4096> chunk{};
    while (total <= limit) {
      const int got = lzss_read(file, unpack, static_cast<int>(chunk.size()), chunk.data());
      if (got <= 0) {
        break;
      }
      for (std::size_t i = 0; i < static_cast<std::size_t>(got) && total + i < head.size(); ++i) {
        head[total + i] = chunk[i];
      }
      total += static_cast<std::size_t>(got);
    }
  }
  if (unpack != nullptr) {
    free_lzss_unpack_data(unpack);
  }
  if (file != nullptr) {
    pack_fclose(file);
  }
  return total;
}

}  // namespace

PackVerdict check_pack_body(const unsigned char* body, std::size_t size) {
  Reader in{body, size};
  std::uint32_t magic = 0;
  if (!in.read_u32(magic) || magic != static_cast<std::uint32_t>(DAT_MAGIC)) {
    return fail(size < 4 ? "is truncated: it ends before its header" : "is not an asset pack (wrong header)");
  }
  std::int32_t count = 0;
  if (!in.read_i32(count)) {
    return fail("is truncated: it ends before its count of entries");
  }
  if (count < PACK_PICTURES) {
    return fail("holds " + std::to_string(count) + " entries where the game needs ten pictures");
  }
  if (count > MAX_PACK_OBJECTS) {
    return fail("is damaged: it claims " + std::to_string(count) + " entries");
  }
  for (int index = 0; index < count; ++index) {
    const std::string truncated = "is truncated: " + entry_name(index) + " of " + std::to_string(count) +
                                  " ends early";
    std::uint32_t type = 0;
    if (!in.read_u32(type)) {
      return fail(truncated);
    }
    while (type == static_cast<std::uint32_t>(DAT_PROPERTY)) {
      std::uint32_t property = 0;
      std::int32_t length = 0;
      if (!in.read_u32(property) || !in.read_i32(length)) {
        return fail(truncated);
      }
      if (length < 0) {
        return fail("is damaged: " + entry_name(index) + " has a property of negative length");
      }
      if (static_cast<std::size_t>(length) > in.left()) {
        return fail(truncated);
      }
      in.at += static_cast<std::size_t>(length);
      if (!in.read_u32(type)) {
        return fail(truncated);
      }
    }
    if (index < PACK_PICTURES && type != static_cast<std::uint32_t>(DAT_BITMAP)) {
      return fail("does not begin with ten pictures: " + entry_name(index) + " is not a picture");
    }
    if (has_special_loader(type)) {
      return fail("holds a kind of object the game does not use in " + entry_name(index));
    }
    std::int32_t stored = 0;
    std::int32_t expanded = 0;
    if (!in.read_i32(stored) || !in.read_i32(expanded)) {
      return fail(truncated);
    }
    if (stored <= 0 || expanded == 0 || expanded == INT32_MIN ||
        static_cast<std::size_t>(stored) > MAX_PACK_BYTES) {
      return fail("is damaged: " + entry_name(index) + " has impossible sizes");
    }
    if (static_cast<std::size_t>(stored) > in.left()) {
      return fail(truncated);
    }
    const unsigned char* data = in.data + in.at;
    const auto stored_size = static_cast<std::size_t>(stored);
    in.at += stored_size;

    std::array<unsigned char, BITMAP_HEADER_BYTES> head{};
    std::size_t object_size = 0;
    if (expanded > 0) {
      if (expanded != stored) {
        return fail("is damaged: " + entry_name(index) + " has impossible sizes");
      }
      object_size = stored_size;
      std::memcpy(head.data(), data, std::min(object_size, head.size()));
    } else {
      object_size = static_cast<std::size_t>(-static_cast<std::int64_t>(expanded));
      if (object_size > MAX_PACK_BYTES) {
        return fail("is damaged: " + entry_name(index) + " has impossible sizes");
      }
      if (expand_object(data, stored_size, object_size, head) != object_size) {
        return fail("is damaged: the compressed data of " + entry_name(index) + " is broken");
      }
    }
    if (type == static_cast<std::uint32_t>(DAT_BITMAP)) {
      PackVerdict picture = check_bitmap_header(head.data(), object_size, index);
      if (!picture.ok) {
        return fail("is damaged: " + picture.reason);
      }
    } else if (type == static_cast<std::uint32_t>(DAT_PALETTE) && object_size != PALETTE_BYTES) {
      return fail("is damaged: the palette in " + entry_name(index) + " has the wrong size");
    }
  }
  return PackVerdict{true, {}};
}

PackVerdict check_pack(const char* path) {
  PACKFILE* file = pack_fopen(path, F_READ_PACKED);
  if (file == nullptr) {
    const int error = *allegro_errno;
    if (error == ENOENT) {
      return fail("is missing from the game's folder");
    }
    int attributes = 0;
    if (file_exists(path, FA_ALL, &attributes) != 0 && (attributes & FA_DIREC) != 0) {
      return fail("cannot be read: it is a folder");
    }
    if (error == EDOM) {
      // Too short to hold the header at all, or a header of another kind.
      return fail(file_size_ex(path) < 4 ? "is truncated: it ends inside its header"
                                          : "is not an asset pack (wrong header)");
    }
    return fail(std::string("cannot be read: ") + std::strerror(error));
  }
  std::vector<unsigned char> body;
  std::vector<unsigned char> chunk(READ_CHUNK);
  bool too_large = false;
  for (;;) {
    const long got = pack_fread(chunk.data(), static_cast<long>(chunk.size()), file);
    if (got > 0) {
      body.insert(body.end(), chunk.begin(), chunk.begin() + got);
    }
    if (body.size() > MAX_PACK_BYTES) {
      too_large = true;
      break;
    }
    if (got < static_cast<long>(chunk.size())) {
      break;
    }
  }
  const bool failed = pack_ferror(file) != 0;
  pack_fclose(file);
  if (failed) {
    return fail("cannot be read");
  }
  if (too_large) {
    return fail("is too large to be an asset pack");
  }
  return check_pack_body(body.data(), body.size());
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
  return PackVerdict{true, {}};
}
