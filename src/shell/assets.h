#pragma once
// The asset pack and the meaning of its first ten entries.

#include <allegro.h>

// The datafile array that load_datafile returns; entries 0 to 9 are bitmaps.
using AssetPack = DATAFILE*;

inline constexpr const char* PACK_FILE = "Tulka.dat";

inline constexpr int PIC_FIELD = 0;
inline constexpr int SHEET_OVERLAY = 1;
inline constexpr int PIC_POINTER = 2;
inline constexpr int PIC_GAME_OVER = 3;
inline constexpr int PIC_PANEL = 4;
inline constexpr int PIC_TITLE = 5;
inline constexpr int SHEET_DIGITS = 6;
inline constexpr int PIC_BUTTON_AGAIN = 7;
inline constexpr int PIC_BUTTON_QUIT = 8;
inline constexpr int SHEET_MARCHER = 9;
inline constexpr int PACK_PICTURES = 10;

// The pointer picture is 30 x 30 with its hot spot in the middle.
inline constexpr int POINTER_SIZE = 30;
inline constexpr int POINTER_HOT_SPOT = 15;

// The bitmap of entry `index` of a loaded pack.
inline BITMAP* pack_bitmap(AssetPack pack, int index) {
  return static_cast<BITMAP*>(pack[index].dat);
}
