// The text segmentation's contract: user-perceived characters, so that a
// letter with its accents, a flag or a joined emoji count once, and a cut
// never falls inside one.
#include <gtest/gtest.h>

#include <string>

#include "contract/contract_backend.h"

namespace lumetta::contract {
namespace {

struct TextSegmentationContract : ::testing::Test {
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
  TextSegmentation& text = platform.text;
};

TEST_F(TextSegmentationContract, CountsWhatAReaderCountsAsOneCharacter) {
  EXPECT_EQ(text.characterCount(""), 0u);
  EXPECT_EQ(text.characterCount("abc\n"), 4u);
  EXPECT_EQ(text.characterCount("e\u0301"), 1u);                     // e with a combining accent
  EXPECT_EQ(text.characterCount("\U0001F1EB\U0001F1F7"), 1u);        // a flag
  EXPECT_EQ(text.characterCount("\U0001F469\u200D\U0001F4BB"), 1u);  // joined emoji
  EXPECT_EQ(text.characterCount("\r\n"), 1u);
  EXPECT_EQ(text.characterCount("\xff\xfe"), 2u) << "bytes that are not UTF-8 count each";
}

TEST_F(TextSegmentationContract, TheLastCharactersStartAtACharacterBoundary) {
  const std::string mixed = "ae\u0301\U0001F1EB\U0001F1F7z";
  EXPECT_EQ(text.suffixStart(mixed, 1), mixed.size() - 1);
  EXPECT_EQ(text.suffixStart(mixed, 2), mixed.find("\U0001F1EB"));
  EXPECT_EQ(text.suffixStart(mixed, 3), 1u);
  EXPECT_EQ(text.suffixStart(mixed, 4), 0u);
  EXPECT_EQ(text.suffixStart(mixed, 10), 0u);
  EXPECT_EQ(text.suffixStart(mixed, 0), mixed.size());
}

}  // namespace
}  // namespace lumetta::contract
