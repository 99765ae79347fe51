#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "engine/graphics.h"
#include "engine/text.h"
#include "tests/support/harness.h"

namespace vn {
namespace {

const char* const kGameFont = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf";

// Dark pixels of the 300 x 200 area at the top-left of the frame.
struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int pixels = 0;
  bool Empty() const { return pixels == 0; }
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

InkBox Ink() {
  const PixmapRef grab = GrabPixmap(0, 0, 300, 200);
  InkBox box;
  uint8_t rgba[4];
  for (int y = 0; y < grab->height; ++y)
    for (int x = 0; x < grab->width; ++x) {
      GetPixelRGBA(*grab, x, y, rgba);
      if (rgba[0] > 128) continue;
      ++box.pixels;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  return box;
}

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    font_ = LoadFontFile(kGameFont, 12, 4);
    ASSERT_TRUE(font_) << "the game's font is missing: " << kGameFont;
    SetCurrentFont(font_);
    SetColor(0, 0, 0);
    SetAlpha(1);
    SetBlend(3);
    SetClsColor(255, 255, 255);
    Cls();
  }
  void TearDown() override {
    SetCurrentFont(nullptr);
    SetDrawRotation(0);
    SetDrawScale(1, 1);
    SetDrawOrigin(0, 0);
    SetColor(255, 255, 255);
  }
  // Draws text on a fresh white frame and returns where the ink went.
  static InkBox Drawn(const std::string& text, float x, float y) {
    Cls();
    DrawTextAt(text, x, y);
    return Ink();
  }
  FontRef font_;
};

TEST_F(Text, ACharacterTheFontLacksIsSkipped) {
  const std::string without = "Tor";
  const std::string with = "T\xe4\xb8\x80or";  // a CJK character the font does not carry
  EXPECT_EQ(MeasureTextWidth(with), MeasureTextWidth(without));
  const InkBox a = Drawn(without, 20, 20);
  const InkBox b = Drawn(with, 20, 20);
  EXPECT_EQ(a.pixels, b.pixels);
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.right, b.right);
  EXPECT_EQ(MeasureTextWidth(""), 0);
}

TEST_F(Text, ScaleEnlargesTheDrawingButNotTheMeasure) {
  const std::string text = "Hallo Welt";
  const int width = MeasureTextWidth(text);
  EXPECT_GT(width, 30);
  const InkBox plain = Drawn(text, 10, 10);
  SetDrawScale(2, 2);
  EXPECT_EQ(MeasureTextWidth(text), width);
  const InkBox doubled = Drawn(text, 10, 10);
  EXPECT_NEAR(doubled.Width(), 2 * plain.Width(), 3);
  EXPECT_NEAR(doubled.Height(), 2 * plain.Height(), 3);
  EXPECT_NEAR(doubled.left - 10, 2 * (plain.left - 10), 2);
}

TEST_F(Text, RotationRunsTheLineAlongTheTurnedAxis) {
  SetDrawRotation(90);
  const InkBox box = Drawn("Hallo Welt", 100, 10);
  ASSERT_FALSE(box.Empty());
  EXPECT_GT(box.Height(), 3 * box.Width());
  EXPECT_LE(box.right, 100);  // the glyphs' tops face right, so they hang to the left
}

TEST_F(Text, TallLettersTouchTheTopAtYZero) {
  const InkBox box = Drawn("Hld", 10, 0);
  ASSERT_FALSE(box.Empty());
  // The ascender line, not the baseline, lies at y = 0: the letters start near
  // the top and stand on a baseline in the lower half of the line.
  EXPECT_LT(box.top, FontLineHeight() / 3);
  EXPECT_GT(box.bottom, FontLineHeight() / 2);
  EXPECT_LE(box.bottom, FontLineHeight());
}

TEST_F(Text, LatinOneBytesAreReadAsTheirCharacters) {
  // Texts from the data files arrive one byte per character.
  EXPECT_EQ(MeasureTextWidth("Gr\xfc\xdf" "e"), MeasureTextWidth("Grüße"));
  EXPECT_GT(MeasureTextWidth("\xfc"), 0);
}

TEST(TextFile, MissingOrBrokenFontsAreNotLoaded) {
  test::TempGameDir dir;
  EXPECT_EQ(LoadFontFile("gfx/none.ttf", 12, 4), nullptr);
  EXPECT_EQ(LoadFontFile(kGameFont, 0, 4), nullptr);
  std::ofstream("gfx/broken.ttf") << "not a font at all";
  EXPECT_EQ(LoadFontFile("gfx/broken.ttf", 12, 4), nullptr);
}

TEST(BuiltinFont, DrawsPrintableAsciiAndSkipsTheRest) {
  SetCurrentFont(nullptr);
  SetColor(0, 0, 0);
  SetBlend(3);
  SetClsColor(255, 255, 255);
  EXPECT_EQ(FontLineHeight(), 16);
  EXPECT_EQ(MeasureTextWidth("A"), 8);
  EXPECT_EQ(MeasureTextWidth("A\xe4\x01 "), 16);  // 'ä' and a control character take no room

  Cls();
  DrawTextAt("A", 0, 0);
  const InkBox a = Ink();
  EXPECT_GT(a.pixels, 10);
  EXPECT_LT(a.right, 8);
  EXPECT_LT(a.bottom, 16);

  Cls();
  DrawTextAt("\xc3\xa4", 0, 0);
  EXPECT_TRUE(Ink().Empty());
  SetColor(255, 255, 255);
}

TEST(TextEncoding, ConvertsBetweenLatinOneAndUtf8) {
  struct Case {
    std::string latin1, utf8;
  };
  for (const Case& c : {Case{"", ""}, Case{"abc", "abc"}, Case{"\xe4\xf6\xfc\xdf", "äöüß"},
                        Case{"Men\xfc", "Menü"}, Case{"\xff", "ÿ"}}) {
    EXPECT_EQ(Latin1ToUtf8(c.latin1), c.utf8);
    EXPECT_EQ(Utf8ToLatin1(c.utf8), c.latin1);
  }
  // Bytes that are not UTF-8 stand for themselves, so Latin-1 survives a
  // second conversion.
  struct Raw {
    std::string text, latin1;
  };
  for (const Raw& r : {Raw{"\xe4x", "\xe4x"}, Raw{"\xc0\xaf", "\xc0\xaf"}, Raw{"\xed\xa0\x80", "\xed\xa0\x80"},
                       Raw{"a\xc3", "a\xc3"}, Raw{"\xf4\x90\x80\x80", "\xf4\x90\x80\x80"}}) {
    EXPECT_EQ(Utf8ToLatin1(r.text), r.latin1);
  }
  size_t pos = 0;
  EXPECT_EQ(NextCharacter("\xf0\x9f\x98\x80!", pos), 0x1F600u);
  EXPECT_EQ(pos, 4u);
}

}  // namespace
}  // namespace vn
