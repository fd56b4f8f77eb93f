#include "os/PageAddress.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(PageAddress, ScriptIsJudgedByItsSchemeAsTheEngineReadsIt)
{
    for (const std::string& address : { "javascript:alert(1)"s, "JavaScript:x"s, "JAVASCRIPT:"s, " \t\r\njavascript:x"s,
             "\x01\x1f javascript:x"s, "\0javascript:x"s, "java\tscr\nipt:x"s, "javascript\r:x"s })
        EXPECT_TRUE(os::IsScriptAddress(address)) << testing::PrintToString(address);

    for (const std::string& address : { ""s, "javascript"s, "http://host/javascript:x"s, "javascripts:x"s,
             "xjavascript:x"s, "java script:x"s, "about:blank"s, "data:text/html,<script>"s, "vbscript:x"s })
        EXPECT_FALSE(os::IsScriptAddress(address)) << testing::PrintToString(address);
}

// An address with its answers: is it script, does it live only in the page, may it go to the browser.
struct Judged {
    std::string address;
    bool script, pageOnly, web;
};

TEST(PageAddress, EachKindIsAcceptedByItsOwnQuestionOnly)
{
    const Judged table[] = {
        { "http://x.test/"s, false, false, true },
        { "https://x.test/a?b=c"s, false, false, true },
        { "HTTP://X.TEST/"s, false, false, true },
        { "hTTpS:x"s, false, false, true },
        { "http:"s, false, false, false },
        // Read as web addresses only once something is passed over; they go out as written, so they are refused.
        { " http://x.test/"s, false, false, false },
        { "\x01https://x.test/"s, false, false, false },
        { "ht\ttp://x.test/"s, false, false, false },
        { "http\n://x.test/"s, false, false, false },
        { "httpx://x.test/"s, false, false, false },
        { "ftp://x.test/"s, false, false, false },
        { "file:///etc/passwd"s, false, false, false },
        { "x.test/http://y"s, false, false, false },
        { "http//x.test"s, false, false, false },
        { "blob:http://x.test/1234"s, false, true, false },
        { "data:text/plain,x"s, false, true, false },
        { "DATA:text/plain,x"s, false, true, false },
        { " \tBlob:http://x.test/1"s, false, true, false },
        { "da\nta:,x"s, false, true, false },
        { "blobs:x"s, false, false, false },
        { "about:blank"s, false, false, false },
        { "javascript:open('http://x.test/')"s, true, false, false },
        { ""s, false, false, false },
    };
    for (const Judged& judged : table) {
        SCOPED_TRACE(testing::PrintToString(judged.address));
        EXPECT_EQ(os::IsScriptAddress(judged.address), judged.script);
        EXPECT_EQ(os::IsPageOnlyAddress(judged.address), judged.pageOnly);
        EXPECT_EQ(os::IsWebAddress(judged.address), judged.web);
    }
}

} // namespace
