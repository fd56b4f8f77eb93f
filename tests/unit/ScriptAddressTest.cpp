#include "platform/ScriptAddress.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ScriptAddress, IsJudgedByItsSchemeAsTheEngineReadsIt)
{
    using namespace std::string_literals;
    for (const std::string& address : { "javascript:alert(1)"s, "JavaScript:x"s, "JAVASCRIPT:"s, " \t\r\njavascript:x"s,
             "\x01\x1f javascript:x"s, "\0javascript:x"s, "java\tscr\nipt:x"s, "javascript\r:x"s })
        EXPECT_TRUE(platform::IsScriptAddress(address)) << testing::PrintToString(address);

    for (const std::string& address : { ""s, "javascript"s, "http://host/javascript:x"s, "javascripts:x"s,
             "xjavascript:x"s, "java script:x"s, "about:blank"s, "data:text/html,<script>"s, "vbscript:x"s })
        EXPECT_FALSE(platform::IsScriptAddress(address)) << testing::PrintToString(address);
}

} // namespace
