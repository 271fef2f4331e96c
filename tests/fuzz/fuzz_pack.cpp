// Fuzzes the road a pack takes at the start of every game: the check, then
// load_datafile only when the check passes, then the reads that drawing
// makes of the ten pictures.

#include <allegro.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "shell/assets.h"
#include "shell/pack_check.h"

namespace {

std::string scratch_path;
BITMAP* canvas = nullptr;

constexpr int CANVAS_W = 496;
constexpr int CANVAS_H = 540;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    std::abort();
  }
  set_color_depth(32);
  canvas = create_bitmap(CANVAS_W, CANVAS_H);
  const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  scratch_path = std::string(dir) + "/tulka_fuzz_" + std::to_string(getpid()) + ".dat";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* out = std::fopen(scratch_path.c_str(), "wb");
  if (out == nullptr) {
    std::abort();
  }
  std::fwrite(data, 1, size, out);
  std::fclose(out);

  PackVerdict verdict;
  DATAFILE* pack = load_checked_pack(scratch_path.c_str(), verdict);
  if (pack != nullptr) {
    // Every picture is drawn whole, and clipped as the game's calls are.
    for (int index = 0; index < PACK_PICTURES; ++index) {
      BITMAP* picture = pack_bitmap(pack, index);
      blit(picture, canvas, 0, 0, 0, 0, 480, 640);
      masked_blit(picture, canvas, 0, 0, -13, -29, picture->w + 52, picture->h);
      masked_blit(picture, canvas, picture->w - 26, 30, 487, 460, 52, 40);
    }
    unload_datafile(pack);
  }
  return 0;
}
