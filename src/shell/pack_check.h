#pragma once
// Checks an asset pack before load_datafile sees it. The library's loader
// trusts every size, kind and depth in the file and crashes on damaged ones,
// so the file is walked here first with the library's own readers, object
// by object, reading exactly what the loader will read, and every value the
// loader would trust is checked on the way.

#include <allegro.h>

#include <string>

struct PackVerdict {
  bool ok = false;
  std::string reason;  // what is wrong, for a message to the player
};

// Larger objects, pictures or counts are taken for damage.
inline constexpr int MAX_OBJECT_BYTES = 64 << 20;
inline constexpr int MAX_PROPERTY_BYTES = 1 << 16;
inline constexpr int MAX_PACK_OBJECTS = 4096;
inline constexpr int MAX_PICTURE_SIDE = 4096;

// The file as load_datafile would read it.
PackVerdict check_pack(const char* path);

// What a loaded pack must hold: ten bitmaps first.
PackVerdict check_loaded_pack(const DATAFILE* pack);

// The whole road of a pack into the game: the check, load_datafile only when
// the check passes, then the check of what was loaded. Returns the pack, or
// null with `verdict` saying why, having released anything it loaded.
DATAFILE* load_checked_pack(const char* path, PackVerdict& verdict);
