#include <gtest/gtest.h>

#include "platform/com/Dispatch.h"
#include "platform/com/Error.h"

namespace com {
namespace {

TEST(Error, UnknownNumbersGetTheGenericText) {
    const Error e = Error::fromNumber(1004);
    EXPECT_EQ(e.number(), 1004);
    EXPECT_STREQ(e.what(), "Anwendungs- oder objektdefinierter Fehler");
}

TEST(Guid, ParsesEitherCaseAndPrintsUpperCase) {
    const auto lower = Guid::parse("{00020400-0000-0000-c000-000000000046}");
    ASSERT_TRUE(lower);
    EXPECT_EQ(*lower, IID_IDispatch);
    EXPECT_EQ(lower->toString(), "{00020400-0000-0000-C000-000000000046}");

    const std::string text = "{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}";
    const auto parsed = Guid::parse(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->data1, 0x1A2B3C4Du);
    EXPECT_EQ(parsed->data4[1], 0xA3);
    EXPECT_EQ(parsed->data4[7], 0x09);
    EXPECT_EQ(parsed->toString(), text);
}

TEST(Guid, RejectsMalformedText) {
    for (const char* text : {"", "00020400-0000-0000-C000-000000000046", "{00020400-0000-0000-C000-00000000004}",
                             "{00020400-0000-0000-C0000-00000000046}", "{0002040G-0000-0000-C000-000000000046}"}) {
        EXPECT_FALSE(Guid::parse(text)) << text;
    }
}

}  // namespace
}  // namespace com
