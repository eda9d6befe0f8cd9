#include "support/text_codec.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(TextCodec, Utf8AndWideRoundTrip) {
  const std::string text = "D:\\Spiele\\Zürich – Москва\\Far Cry";
  EXPECT_EQ(Narrow(Widen(text)), text);
  EXPECT_EQ(Widen("ä").size(), 1u);
}

TEST(TextCodec, OemAndAnsiBytesOfUmlauts) {
  bool lossless = false;
  // ü is 0x81 in the OEM pages 437 and 850, 0xFC in the ANSI page 1252.
  EXPECT_EQ(ToOem("Zürich", &lossless), "Z\x81rich");
  EXPECT_TRUE(lossless);
  EXPECT_EQ(ToAnsi("Zürich"), "Z\xFCrich");
  EXPECT_EQ(FromOem("Z\x81rich"), "Zürich");
  EXPECT_EQ(FromAnsi("Z\xFCrich"), "Zürich");
}

TEST(TextCodec, CharactersOutsideThePageAreReportedAsLost) {
  bool lossless = true;
  std::string bytes = ToOem("Москва", &lossless);
  EXPECT_FALSE(lossless);
  EXPECT_EQ(bytes.size(), 6u);
}

}  // namespace
}  // namespace velk
