// The pack check must turn away every damaged pack before load_datafile,
// which crashes on them, and every pack it lets through must load.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/assets.h"
#include "shell/pack_check.h"
#include "support/headless.h"

namespace {

std::vector<unsigned char> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string pack_path(const char* name) { return std::string(TEST_PACK_DIR) + "/" + name; }

class PackCheck : public ::testing::Test {
 protected:
  std::string scratch_ = ::testing::TempDir() + "tulka_pack_check.dat";

  void TearDown() override { std::remove(scratch_.c_str()); }

  PackVerdict check_bytes(const std::vector<unsigned char>& bytes, std::size_t size) {
    std::ofstream out(scratch_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(size));
    out.close();
    return check_pack(scratch_.c_str());
  }

  // What the game does with a pack the check lets through.
  void expect_loads(const char* what) {
    DATAFILE* pack = load_datafile(scratch_.c_str());
    const PackVerdict loaded = check_loaded_pack(pack);
    EXPECT_TRUE(loaded.ok) << what << ": " << loaded.reason;
    if (pack != nullptr) {
      unload_datafile(pack);
    }
  }
};

TEST_F(PackCheck, GoodPacksPassAndLoad) {
  for (const char* name :
       {"small.dat", "small_c1.dat", "small_c2.dat", "small16.dat", "extra_raw.dat"}) {
    const std::string path = pack_path(name);
    const PackVerdict verdict = check_pack(path.c_str());
    EXPECT_TRUE(verdict.ok) << name << ": " << verdict.reason;
    DATAFILE* pack = load_datafile(path.c_str());
    EXPECT_TRUE(check_loaded_pack(pack).ok) << name;
    unload_datafile(pack);
  }
}

TEST_F(PackCheck, ShippedPackPassesWithTenPicturesOfTheirSizes) {
  ASSERT_TRUE(check_pack(TULKA_PACK).ok);
  DATAFILE* pack = load_datafile(TULKA_PACK);
  ASSERT_TRUE(check_loaded_pack(pack).ok);
  struct Size {
    int index, w, h;
  };
  // Sheets may carry cells beyond those the game uses; the rest are exact.
  for (const Size s : {Size{PIC_FIELD, 480, 480}, Size{PIC_POINTER, 30, 30}, Size{PIC_PANEL, 480, 60},
                       Size{SHEET_DIGITS, 260, 30}, Size{PIC_BUTTON_AGAIN, 200, 80},
                       Size{PIC_BUTTON_QUIT, 200, 80}}) {
    EXPECT_EQ(pack_bitmap(pack, s.index)->w, s.w) << s.index;
    EXPECT_EQ(pack_bitmap(pack, s.index)->h, s.h) << s.index;
  }
  EXPECT_GE(pack_bitmap(pack, SHEET_OVERLAY)->w, 416);
  EXPECT_EQ(pack_bitmap(pack, SHEET_OVERLAY)->h, 40);
  EXPECT_GE(pack_bitmap(pack, SHEET_MARCHER)->w, 208);
  EXPECT_GE(pack_bitmap(pack, SHEET_MARCHER)->h, 120);
  for (const int backdrop : {PIC_TITLE, PIC_GAME_OVER}) {
    EXPECT_EQ(pack_bitmap(pack, backdrop)->w, 480);
    EXPECT_GE(pack_bitmap(pack, backdrop)->h, 540);
  }
  unload_datafile(pack);
}

TEST_F(PackCheck, BadPacksAreRefusedWithAReason) {
  struct Case {
    const char* file;
    const char* reason;
  };
  const Case cases[] = {
      {"nine.dat", "holds 9 entries"},
      {"raw_fourth.dat", "entry 3 is not a picture"},
      {"no_such_pack.dat", "is missing"},
      {"", "cannot be read"},  // the folder itself
  };
  for (const Case& c : cases) {
    const PackVerdict verdict = check_pack(pack_path(c.file).c_str());
    EXPECT_FALSE(verdict.ok) << c.file;
    EXPECT_NE(verdict.reason.find(c.reason), std::string::npos) << c.file << ": " << verdict.reason;
  }
}

TEST_F(PackCheck, EveryCutOfARealPackIsRefused) {
  for (const char* name : {"small.dat", "small_c1.dat", "small_c2.dat", "small16.dat"}) {
    const std::vector<unsigned char> whole = read_file(pack_path(name));
    ASSERT_GT(whole.size(), 100u) << name;
    int truncated = 0;
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      const PackVerdict verdict = check_bytes(whole, cut);
      ASSERT_FALSE(verdict.ok) << name << " cut at " << cut;
      ASSERT_FALSE(verdict.reason.empty());
      truncated += verdict.reason.find("truncated") != std::string::npos ? 1 : 0;
    }
    // Where the data is not compressed, the reason names the cut.
    if (std::string(name) != "small_c2.dat") {
      EXPECT_GE(truncated, static_cast<int>(whole.size()) * 9 / 10) << name;
    }
  }
}

// The shipped pack is too large to cut everywhere: every cut through its
// header and first objects, then cuts spread over the rest.
TEST_F(PackCheck, CutsOfTheShippedPackAreRefused) {
  constexpr std::size_t EVERY_CUT_UP_TO = 2048;
  constexpr std::size_t SPREAD_CUTS = 64;
  const std::vector<unsigned char> whole = read_file(TULKA_PACK);
  ASSERT_GT(whole.size(), EVERY_CUT_UP_TO);
  std::vector<std::size_t> cuts;
  for (std::size_t cut = 0; cut < EVERY_CUT_UP_TO; ++cut) {
    cuts.push_back(cut);
  }
  for (std::size_t i = 0; i < SPREAD_CUTS; ++i) {
    cuts.push_back(EVERY_CUT_UP_TO + (whole.size() - 1 - EVERY_CUT_UP_TO) * i / (SPREAD_CUTS - 1));
  }
  for (const std::size_t cut : cuts) {
    const PackVerdict verdict = check_bytes(whole, cut);
    ASSERT_FALSE(verdict.ok) << "cut at " << cut;
    ASSERT_NE(verdict.reason.find("truncated"), std::string::npos) << "cut at " << cut << ": " << verdict.reason;
  }
}

TEST_F(PackCheck, FlippedBytesAreRefusedOrLoadSafely) {
  for (const char* name : {"small.dat", "small_c1.dat", "small_c2.dat"}) {
    const std::vector<unsigned char> whole = read_file(pack_path(name));
    for (std::size_t at = 0; at < whole.size(); ++at) {
      for (const unsigned char mask : {0x01, 0x80, 0xFF}) {
        std::vector<unsigned char> damaged = whole;
        damaged[at] ^= mask;
        if (check_bytes(damaged, damaged.size()).ok) {
          expect_loads(name);
        }
      }
    }
  }
}

// Hand-made packs for what dat never writes.
class HandMadePack {
 public:
  explicit HandMadePack(const char* magic = "ALL.") {
    put("slh.");
    put(magic);
  }
  HandMadePack& count(std::uint32_t n) { return u32(n); }
  HandMadePack& object(std::uint32_t type, std::int32_t stored, std::int32_t expanded,
                       std::vector<unsigned char> data) {
    u32(type);
    u32(static_cast<std::uint32_t>(stored));
    u32(static_cast<std::uint32_t>(expanded));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return *this;
  }
  // A one-pixel 32-bit picture.
  HandMadePack& pixel_picture() {
    return object(static_cast<std::uint32_t>(DAT_BITMAP), 9, 9, {0, 32, 0, 1, 0, 1, 10, 20, 30});
  }
  HandMadePack& pictures(int n) {
    for (int i = 0; i < n; ++i) {
      pixel_picture();
    }
    return *this;
  }
  HandMadePack& u32(std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
      bytes_.push_back(static_cast<unsigned char>(v >> shift));
    }
    return *this;
  }
  HandMadePack& put(const char* text) {
    bytes_.insert(bytes_.end(), text, text + std::strlen(text));
    return *this;
  }
  const std::vector<unsigned char>& bytes() const { return bytes_; }

 private:
  std::vector<unsigned char> bytes_;
};

TEST_F(PackCheck, ImpossibleObjectsAreRefused) {
  const auto bmp = static_cast<std::uint32_t>(DAT_BITMAP);
  struct Case {
    const char* what;
    HandMadePack pack;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"depth 7", HandMadePack().count(10).object(bmp, 9, 9, {0, 7, 0, 1, 0, 1, 1, 2, 3}).pictures(9),
       "unknown colour depth"},
      {"zero width", HandMadePack().count(10).object(bmp, 6, 6, {0, 32, 0, 0, 0, 1}).pictures(9),
       "impossible size"},
      {"huge picture", HandMadePack().count(10).object(bmp, 6, 6, {0, 32, 0xFF, 0xFF, 0xFF, 0xFF}).pictures(9),
       "impossible size"},
      {"pixels missing", HandMadePack().count(10).object(bmp, 9, 9, {0, 32, 0, 2, 0, 1, 1, 2, 3}).pictures(9),
       "needs"},
      {"negative size", HandMadePack().count(10).object(bmp, 9, INT32_MIN, {}).pictures(9), "impossible sizes"},
      {"empty object", HandMadePack().count(10).object(bmp, 0, 0, {}).pictures(9), "impossible sizes"},
      {"nested datafile", HandMadePack().count(10).object(static_cast<std::uint32_t>(DAT_FILE), 4, 4, {0, 0, 0, 0}),
       "not a picture"},
      // The end marker as a kind would make the loader call an empty slot.
      {"end marker as a kind", HandMadePack().count(11).pictures(10).object(0xFFFFFFFFu, 1, 1, {7}),
       "kind of object the game does not use"},
      {"a font after the pictures",
       HandMadePack().count(11).pictures(10).object(static_cast<std::uint32_t>(DAT_FONT), 1, 1, {0}),
       "kind of object the game does not use"},
      {"property too long", HandMadePack().count(10).put("propNAME").u32(0x7FFFFFFF), "impossible length"},
      {"claims a million entries", HandMadePack().count(1000000), "claims"},
      {"wrong magic", HandMadePack("ALX.").count(10).pictures(10), "wrong header"},
  };
  for (const Case& c : cases) {
    const PackVerdict verdict = check_bytes(c.pack.bytes(), c.pack.bytes().size());
    EXPECT_FALSE(verdict.ok) << c.what;
    EXPECT_NE(verdict.reason.find(c.reason), std::string::npos) << c.what << ": " << verdict.reason;
  }
  // The same kind of pack, undamaged, passes and loads.
  const HandMadePack good = HandMadePack().count(11).pictures(10).object(DAT_ID('N', 'O', 'T', 'E'), 1, 1, {7});
  ASSERT_TRUE(check_bytes(good.bytes(), good.bytes().size()).ok);
  expect_loads("hand-made");
}

// Inputs that once got past the check and crashed the loader.
TEST_F(PackCheck, KeptFuzzerFindingsAreRefusedOrLoadSafely) {
  const std::string dir = std::string(TEST_DATA_DIR) + "/../fuzz/regressions";
  std::vector<std::string> names;
  al_ffblk found{};
  if (al_findfirst((dir + "/*").c_str(), &found, FA_ALL) == 0) {
    do {
      if ((found.attrib & FA_DIREC) == 0) {
        names.push_back(dir + "/" + found.name);
      }
    } while (al_findnext(&found) == 0);
    al_findclose(&found);
  }
  ASSERT_FALSE(names.empty());
  for (const std::string& name : names) {
    const std::vector<unsigned char> bytes = read_file(name);
    if (check_bytes(bytes, bytes.size()).ok) {
      expect_loads(name.c_str());
    }
  }
}

TEST_F(PackCheck, ALoadedPackMustBeginWithTenBitmaps) {
  EXPECT_FALSE(check_loaded_pack(nullptr).ok);
  DATAFILE* pack = load_datafile(pack_path("extra_raw.dat").c_str());
  ASSERT_NE(pack, nullptr);
  // Entry 10 holds the raw note: nine pictures from entry 1 on are not enough.
  EXPECT_FALSE(check_loaded_pack(pack + 1).ok);
  unload_datafile(pack);
}

}  // namespace
