#include "posting/ftp_client.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

TEST(FtpHostAddress, PortDefaultsTo21AndMayBeGiven) {
  EXPECT_EQ(ParseFtpHostAddress("ftp.example.org"), (FtpEndpoint{"ftp.example.org", 21}));
  EXPECT_EQ(ParseFtpHostAddress("127.0.0.1:2121"), (FtpEndpoint{"127.0.0.1", 2121}));
  EXPECT_EQ(ParseFtpHostAddress("host-1_a:65535"), (FtpEndpoint{"host-1_a", 65535}));
}

TEST(FtpHostAddress, Ipv6WithAndWithoutBrackets) {
  EXPECT_EQ(ParseFtpHostAddress("::1"), (FtpEndpoint{"::1", 21}));
  EXPECT_EQ(ParseFtpHostAddress("[::1]"), (FtpEndpoint{"::1", 21}));
  EXPECT_EQ(ParseFtpHostAddress("[fe80::1]:990"), (FtpEndpoint{"fe80::1", 990}));
}

TEST(FtpHostAddress, RejectsAddressesThatCannotNameOneServer) {
  for (const char* bad :
       {"",        ":21",         "host:",        "host:0",    "host:65536", "host:21x",
        "host:-1", "host:123456", "a b",          "user@host", "host/path",  "host?x",
        "host#x",  "ftp://host",  "host\r\nQUIT", "[::1",      "[]:21",      "[::1]x",
        "[::1]:",  "[zz::1]",     "h\xC3\xA9te"}) {
    EXPECT_FALSE(ParseFtpHostAddress(bad).has_value()) << bad;
  }
}

TEST(FtpArgument, LineBreaksAndControlBytesAreUnsafe) {
  EXPECT_TRUE(IsSafeFtpArgument("www/fall open_standings.html"));
  EXPECT_TRUE(IsSafeFtpArgument("\xC3\xA9t\xC3\xA9/"));
  EXPECT_FALSE(IsSafeFtpArgument("www\r\nDELE x"));
  EXPECT_FALSE(IsSafeFtpArgument("www\n"));
  EXPECT_FALSE(IsSafeFtpArgument(std::string("a\0b", 3)));
  EXPECT_FALSE(IsSafeFtpArgument("tab\there"));
  EXPECT_FALSE(IsSafeFtpArgument("del\x7F"));
}

}  // namespace
}  // namespace drav
