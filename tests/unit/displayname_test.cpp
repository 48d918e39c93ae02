#include "platform/x11/displayname.h"

#include <gtest/gtest.h>

using vantor::displayIdentity;

TEST(DisplayIdentity, SpellingsOfOneDisplayMeetAndOthersDoNot) {
    for (const char* local : {":1", ":1.0", ":1.3", "unix:1", "unix:1.0"})
        EXPECT_EQ(displayIdentity(local), "_1") << local;
    EXPECT_EQ(displayIdentity(":12"), "_12");
    EXPECT_EQ(displayIdentity("otherhost:1.0"), "otherhost_1");
    EXPECT_EQ(displayIdentity("[::1]:1"), "___1__1") << "an IPv6 host stays a file name";
    for (const char* broken : {"", "1", ":", ":x", "host"})
        EXPECT_EQ(displayIdentity(broken), "") << broken;
}
