// The code page, error messages and integer conversion of the platform layer.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/Cp1251.h"
#include "platform/Errors.h"

using namespace platform;

TEST(Cp1251, RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf16ToCp1251(Cp1251ToUtf16(all)), all);
}

TEST(Cp1251, MapsCyrillicLetters) {
  EXPECT_EQ(Cp1251ToUnicode(0xC0), u'А');
  EXPECT_EQ(Cp1251ToUnicode(0xFF), u'я');
  EXPECT_EQ(Cp1251ToUnicode(0xA8), u'Ё');
  EXPECT_EQ(Cp1251ToUnicode(0xB9), u'№');
  EXPECT_EQ(UnicodeToCp1251(u'ё'), 0xB8);
  EXPECT_EQ(UnicodeToCp1251(u'\u4e2d'), -1);
  EXPECT_EQ(Utf16ToCp1251(u"Новый"), "\xCD\xEE\xE2\xFB\xE9");
}

TEST(Errors, CarryTheSystemMessages) {
  EXPECT_STREQ(EListError(7).what(), "List index out of bounds (7)");
  EXPECT_STREQ(EListError(-1).what(), "List index out of bounds (-1)");
  EXPECT_STREQ(EConvertError::NotAnInteger("x").what(), "'x' is not a valid integer value");
  EXPECT_STREQ(EInOutError(101).what(), "Disk full");
  EXPECT_STREQ(EInOutError(2).what(), "File not found");
  EXPECT_STREQ(EInOutError(42).what(), "I/O error 42");
  // An errno the table does not know is told in words, even where its number is a code
  // of the table (EIO is 5, which would read "File access denied").
  EXPECT_STREQ(EInOutError::FromErrno(ENOSPC).what(), "Disk full");
  EXPECT_STREQ(EInOutError::FromErrno(EIO).what(), "I/O error 5: Input/output error");
  EXPECT_STREQ(EFOpenError("/a/b", "Access is denied").what(),
               "Cannot open file \"/a/b\". Access is denied");
}

TEST(Errors, ErrorBoxAppendsAFullStopOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(MessageForDisplay("Disk full"), "Disk full.");
  EXPECT_EQ(MessageForDisplay("Done."), "Done.");
  EXPECT_EQ(MessageForDisplay("List index out of bounds (7)"), "List index out of bounds (7)");
  EXPECT_EQ(MessageForDisplay("x-"), "x-");
  EXPECT_EQ(MessageForDisplay(""), "");
}

TEST(StrToInt, AcceptsDecimalAndHexAndRejectsTheRest) {
  EXPECT_EQ(StrToInt("3"), 3);
  EXPECT_EQ(StrToInt("-12"), -12);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt(" 5"), 5);
  EXPECT_THROW(StrToInt(""), EConvertError);
  EXPECT_THROW(StrToInt("3a"), EConvertError);
  EXPECT_THROW(StrToInt("99999999999"), EConvertError);
  try {
    StrToInt("abc");
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}
