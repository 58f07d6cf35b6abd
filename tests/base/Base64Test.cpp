#include <gtest/gtest.h>
#include <string>
#include "Base64.h"

namespace {

TEST(Base64, EncodesWithPadding)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"abc", "YWJj"},
        {"a", "YQ=="},
        {"ab", "YWI="},
        {"user:password", "dXNlcjpwYXNzd29yZA=="},
        {"\xFF\xFE\xFD", "//79"},
    };
    for (const auto& c : cases) {
        char out[kBase64OutputCapacity];
        EXPECT_EQ(Base64Encode(c.text, out), int(strlen(c.expected))) << c.text;
        EXPECT_STREQ(out, c.expected);
    }
}

TEST(Base64, EmptyNullAndOverflow)
{
    char out[kBase64OutputCapacity];
    EXPECT_EQ(Base64Encode(nullptr, out), 0);
    EXPECT_EQ(Base64Encode("", out), 0);
    EXPECT_STREQ(out, "");
    // 369 bytes give 492 characters, the most that fits with the terminator; 370 give 496.
    EXPECT_EQ(Base64Encode(std::string(369, 'x').c_str(), out), 492);
    std::string guarded(kBase64OutputCapacity + 8, '#');
    EXPECT_EQ(Base64Encode(std::string(370, 'x').c_str(), &guarded[0]), -1);
    EXPECT_EQ(guarded.substr(1), std::string(kBase64OutputCapacity + 7, '#'));
}

} // namespace
