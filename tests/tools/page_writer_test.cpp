// The pieces of the web page velto writes: what a quiz's texts and names become inside it.
#include "tools/web/page_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PageWriter, JsonStringsHoldOnlyAsciiThatCannotCloseTheScript) {
    const struct {
        std::string utf8, json;
    } rows[] = {
        {"abc", "\"abc\""},
        {"</script><!--", "\"\\u003c/script\\u003e\\u003c!--\""},
        {"a\"b\\c&", "\"a\\\"b\\\\c\\u0026\""},
        {"\n\t\x7F", "\"\\u000a\\u0009\\u007f\""},
        {"caf\xC3\xA9 \xE2\x82\xAC", "\"caf\\u00e9 \\u20ac\""},
        {"\xF0\x9F\x98\x80", "\"\\ud83d\\ude00\""},  // outside the BMP: a pair
        {"a\xFF"
         "b\xC3",
         "\"a\\ufffdb\\ufffd\""},                               // not UTF-8
        {"\xC0\xAF\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},  // overlong, surrogate
    };
    for (const auto& row : rows) EXPECT_EQ(jsonString(row.utf8), row.json) << row.utf8;
}

TEST(PageWriter, HtmlTextEscapesMarkup) {
    EXPECT_EQ(htmlText("<a href='x'>&\"</a>"), "&lt;a href=&#39;x&#39;&gt;&amp;&quot;&lt;/a&gt;");
}

TEST(PageWriter, Base64AsTheStandardWritesIt) {
    const std::string rows[][2] = {{"", ""},        {"f", "Zg=="},        {"fo", "Zm8="},
                                   {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xFF\xEF", "/+8="}};
    for (const auto& row : rows) {
        const std::vector<uint8_t> bytes(row[0].begin(), row[0].end());
        EXPECT_EQ(base64(bytes.data(), bytes.size()), row[1]);
    }
}

TEST(PageWriter, StorageKeysTellQuizzesAndVersionsApart) {
    const PackedQuiz a{{1, 2, 3}, {4}}, b{{1, 2, 3}, {5}}, c{{1, 2}, {3, 4}};
    EXPECT_EQ(storageKey("geo", a), storageKey("geo", a));
    EXPECT_NE(storageKey("geo", a), storageKey("geo", b));
    EXPECT_NE(storageKey("geo", a), storageKey("geo", c));
    EXPECT_NE(storageKey("geo", a), storageKey("geo2", a));
    EXPECT_EQ(storageKey("geo", a).rfind("velto:geo:", 0), 0u);
}

TEST(PageWriter, WebVideosByTheirFirstBytes) {
    const std::vector<uint8_t> webm = {0x1A, 0x45, 0xDF, 0xA3, 0},
                               mp4 = {0, 0, 0, 0x18, 'f', 't', 'y', 'p'},
                               avi = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '};
    EXPECT_STREQ(webVideoType(webm), "video/webm");
    EXPECT_STREQ(webVideoType(mp4), "video/mp4");
    EXPECT_STREQ(webVideoType(avi), "");
}

}  // namespace
