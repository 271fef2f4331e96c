// The pack check must turn away every damaged pack before load_datafile,
// which crashes on them, and every pack it lets through must load.

#include <gtest/gtest.h>

#include <cstdio>
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

// Hand-made bodies for what dat never writes.
TEST_F(PackCheck, ImpossibleObjectsAreRefused) {
  auto be32 = [](std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
      out.push_back(static_cast<unsigned char>(v >> shift));
    }
  };
  auto body_with_first = [&](std::uint32_t type, std::int32_t stored, std::int32_t expanded,
                             std::vector<unsigned char> data) {
    std::vector<unsigned char> body;
    be32(body, static_cast<std::uint32_t>(DAT_MAGIC));
    be32(body, 10);
    be32(body, type);
    be32(body, static_cast<std::uint32_t>(stored));
    be32(body, static_cast<std::uint32_t>(expanded));
    body.insert(body.end(), data.begin(), data.end());
    return body;
  };
  const auto bmp = static_cast<std::uint32_t>(DAT_BITMAP);
  struct Case {
    const char* what;
    std::vector<unsigned char> body;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"depth 7", body_with_first(bmp, 9, 9, {0, 7, 0, 1, 0, 1, 1, 2, 3}), "unknown colour depth"},
      {"zero width", body_with_first(bmp, 6, 6, {0, 32, 0, 0, 0, 1}), "impossible size"},
      {"huge picture", body_with_first(bmp, 6, 6, {0, 32, 0xFF, 0xFF, 0xFF, 0xFF}), "impossible size"},
      {"pixels missing", body_with_first(bmp, 9, 9, {0, 32, 0, 2, 0, 1, 1, 2, 3}), "needs"},
      {"sizes disagree", body_with_first(bmp, 9, 8, {0, 32, 0, 1, 0, 1, 1, 2, 3}), "impossible sizes"},
      {"negative stored size", body_with_first(bmp, -9, 9, {}), "impossible sizes"},
      {"nested datafile", body_with_first(static_cast<std::uint32_t>(DAT_FILE), 4, 4, {0, 0, 0, 0}),
       "not a picture"},
      {"claims a million entries", {'A', 'L', 'L', '.', 0, 0x0F, 0x42, 0x40}, "claims"},
      {"wrong magic", {'A', 'L', 'X', '.', 0, 0, 0, 10}, "wrong header"},
  };
  for (const Case& c : cases) {
    const PackVerdict verdict = check_pack_body(c.body.data(), c.body.size());
    EXPECT_FALSE(verdict.ok) << c.what;
    EXPECT_NE(verdict.reason.find(c.reason), std::string::npos) << c.what << ": " << verdict.reason;
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
