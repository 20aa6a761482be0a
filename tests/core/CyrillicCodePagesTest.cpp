// The KOI8-R and CP866 tables.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/CyrillicCodePages.h"

using namespace platform;

namespace {

const std::u16string kUpper = u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
const std::u16string kLower = u"абвгдежзийклмнопрстуфхцчшщъыьэюя";

}  // namespace

TEST(CyrillicCodePages, GiveEveryByteItsOwnCodePointAndTakeItBack) {
  const struct {
    const char* name;
    char16_t (*toUnicode)(unsigned char);
    int (*fromUnicode)(char16_t);
  } pages[] = {{"KOI8-R", Koi8rToUnicode, UnicodeToKoi8r}, {"CP866", Cp866ToUnicode, UnicodeToCp866}};
  for (const auto& page : pages) {
    std::set<char16_t> seen;
    for (int b = 0; b < 256; ++b) {
      const char16_t ch = page.toUnicode(static_cast<unsigned char>(b));
      if (b < 128) {
        EXPECT_EQ(ch, b) << page.name;
      }
      EXPECT_EQ(page.fromUnicode(ch), b) << page.name << " byte " << b;
      seen.insert(ch);
    }
    EXPECT_EQ(seen.size(), 256u) << page.name << ": two bytes share a character";
    EXPECT_EQ(page.fromUnicode(u'\u4E2D'), -1) << page.name;
  }
}

TEST(CyrillicCodePages, HoldTheRussianAlphabetWhereEachPagePutsIt) {
  // KOI8-R orders the letters by their Latin look-alikes, the small ones first.
  const std::u16string koi8Order = u"юабцдефгхийклмнопярстужвьызшэщчъ";
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(Koi8rToUnicode(static_cast<unsigned char>(0xC0 + i)), koi8Order[i]) << i;
    EXPECT_EQ(Koi8rToUnicode(static_cast<unsigned char>(0xE0 + i)), koi8Order[i] - 0x20) << i;
    EXPECT_EQ(Cp866ToUnicode(static_cast<unsigned char>(0x80 + i)), kUpper[i]) << i;
    EXPECT_EQ(Cp866ToUnicode(static_cast<unsigned char>(i < 16 ? 0xA0 + i : 0xE0 + i - 16)), kLower[i]) << i;
  }
  EXPECT_EQ(Koi8rToUnicode(0xC1), u'а');
  EXPECT_EQ(Koi8rToUnicode(0xE1), u'А');
  EXPECT_EQ(Koi8rToUnicode(0xA3), u'ё');
  EXPECT_EQ(Koi8rToUnicode(0xB3), u'Ё');
  EXPECT_EQ(Koi8rToUnicode(0x9A), u'\u00A0');
  EXPECT_EQ(Koi8rToUnicode(0xBF), u'©');
  EXPECT_EQ(Cp866ToUnicode(0xF0), u'Ё');
  EXPECT_EQ(Cp866ToUnicode(0xF1), u'ё');
  EXPECT_EQ(Cp866ToUnicode(0xFC), u'№');
  EXPECT_EQ(Cp866ToUnicode(0xFF), u'\u00A0');
}
