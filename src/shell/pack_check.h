#pragma once
// Checks an asset pack before load_datafile sees it. The library's loader
// trusts every size and depth in the file and crashes on damaged ones, so the
// whole file is walked here first, object by object, with every size checked
// against what is really there.

#include <cstddef>
#include <string>

#include <allegro.h>

struct PackVerdict {
  bool ok = false;
  std::string reason;  // what is wrong, for a message to the player
};

// Objects larger than this are taken for damage.
inline constexpr std::size_t MAX_PACK_BYTES = 64u << 20;
inline constexpr int MAX_PACK_OBJECTS = 4096;
inline constexpr int MAX_PICTURE_SIDE = 4096;

// The file as load_datafile would read it.
PackVerdict check_pack(const char* path);

// The datafile body as it stands after the file's magic, decompressed.
PackVerdict check_pack_body(const unsigned char* body, std::size_t size);

// What a loaded pack must hold: ten bitmaps first.
PackVerdict check_loaded_pack(const DATAFILE* pack);
