#include "web/page_frame.h"

#include <gtest/gtest.h>

#include "page_test_support.h"
#include "web/html.h"

namespace drav {
namespace {

using test::HasLine;

TEST(HtmlEscape, EscapesTheFourMarkupCharactersAndNothingElse) {
  EXPECT_EQ(HtmlEscape("A & B <script>\"x\"</script> 'y' %20"),
            "A &amp; B &lt;script&gt;&quot;x&quot;&lt;/script&gt; 'y' %20");
  EXPECT_EQ(HtmlEscape(""), "");
}

TEST(HtmlEscape, WritesEveryCharacterBeyondAsciiAsADecimalReference) {
  EXPECT_EQ(HtmlEscape("Jos\xc3\xa9 <Mu\xc3\xb1oz>"), "Jos&#233; &lt;Mu&#241;oz&gt;");
  EXPECT_EQ(HtmlEscape("Jos\xe9 \x80&"), "Jos&#233; &#8364;&amp;");  // Windows-1252
  EXPECT_EQ(HtmlEscapeLink("a\xc3\xa9&b"), "a\xc3\xa9&amp;b");       // addresses keep their bytes
}

TEST(LinkBase, IsTheLastPathComponentWithSpacesAsPercent20) {
  EXPECT_EQ(LinkBaseOf("C:\\web\\fall open"), "fall%20open");
  EXPECT_EQ(LinkBaseOf("/srv/web/fall"), "fall");
  EXPECT_EQ(LinkBaseOf("a/b\\c d e"), "c%20d%20e");
  EXPECT_EQ(LinkBaseOf("plain"), "plain");
  EXPECT_EQ(LinkBaseOf("dir/"), "");
}

TEST(LinkBase, EncodesEveryByteThatCouldEndTheAttributeOrTheAddress) {
  const struct {
    const char* name;
    const char* link;
  } cases[] = {
      {"fall_open-2024.v1~(a)+b=c,d;e!f@g$h*i[j]k{l}m|n^o&p",
       "fall_open-2024.v1~(a)+b=c,d;e!f@g$h*i[j]k{l}m|n^o&p"},
      {"x onmouseover=alert(1)", "x%20onmouseover=alert(1)"},
      {"x\tonclick=y", "x%09onclick=y"},
      {"a\"b'c`d<e>f", "a%22b%27c%60d%3Ce%3Ef"},
      {"50% #1 final?", "50%25%20%231%20final%3F"},
      {"Jos\xc3\xa9", "Jos\xc3\xa9"},  // bytes beyond ASCII stay as they are
  };
  for (const auto& c : cases) EXPECT_EQ(LinkBaseOf(c.name), c.link) << c.name;
  EXPECT_EQ(EncodeLinkName(std::string_view("a\0\x1f\x7f\r", 5)), "a%00%1F%7F%0D");
}

TEST(PageHref, EncodesThePageNameButKeepsTheAnchor) {
  EXPECT_EQ(PageHref("base", "_team detail.html", "#t3"), "base_team%20detail.html#t3");
  EXPECT_EQ(PageHref("base", "_x>y&z.html"), "base_x%3Ey&amp;z.html");
}

std::string Head(const Tournament& t, const char* anchor = "#Scoreboard") {
  std::string page;
  WritePageHead(page, t, "fall%20open", "Scoreboard", "Scoreboard", anchor);
  return page;
}

TEST(PageHead, DefaultSettingsGiveTheFullFrameWithoutRoundReportOrStyleSheet) {
  Tournament t;
  t.Format.TourneyName = "Fall Open";
  EXPECT_EQ(Head(t),
            "<HTML>\r\n<HEAD>\r\n<TITLE> Fall Open Scoreboard </TITLE>\r\n\r\n</HEAD>\r\n<BODY>\r\n"
            "<table border=0 width=100%>\r\n<tr>\r\n"
            "  <td><A HREF=fall%20open_standings.html>Standings</A></td>\r\n"
            "  <td><A HREF=fall%20open_individuals.html>Individuals</A></td>\r\n"
            "  <td><A HREF=fall%20open_games.html>Scoreboard</A></td>\r\n"
            "  <td><A HREF=fall%20open_teamdetail.html>Team Detail</A></td>\r\n"
            "  <td><A HREF=fall%20open_playerdetail.html>Individual Detail</A></td>\r\n"
            "  <td><A HREF=fall%20open_statkey.html#Scoreboard>Stat Key</A></td>\r\n"
            "</tr>\r\n</table>\r\n<H1>Fall Open Scoreboard</H1><P>\r\n");
  std::string foot;
  WritePageFoot(foot);
  EXPECT_EQ(foot, "</BODY>\r\n</HTML>\r\n");
}

TEST(PageHead, StyleSheetSwitchLinksTheCopiedSheet) {
  Tournament t;
  t.Format.StyleSheet = 1;
  EXPECT_TRUE(
      HasLine(Head(t), "<LINK REL=stylesheet TYPE=\"text/css\" HREF=fall%20open_style.css>"));
}

TEST(PageHead, EmptyTournamentNameKeepsTheSpaces) {
  Tournament t;
  const std::string page = Head(t);
  EXPECT_TRUE(HasLine(page, "<TITLE>  Scoreboard </TITLE>"));
  EXPECT_TRUE(HasLine(page, "<H1> Scoreboard</H1><P>"));
}

TEST(PageHead, NavigationFollowsTheIncludeSwitchesAndSuffixes) {
  Tournament t;
  t.Format.TeamStandings = 0;
  t.Format.IndividualDetail = 0;
  t.Format.RoundReports = 1;
  t.Format.RoundsFile = "-r.htm";
  t.Format.StatKey = 0;
  const std::string page = Head(t);
  EXPECT_EQ(page.find(">Standings<"), std::string::npos);
  EXPECT_EQ(page.find("Individual Detail"), std::string::npos);
  EXPECT_EQ(page.find("Stat Key"), std::string::npos);
  EXPECT_TRUE(HasLine(page, "  <td><A HREF=fall%20open-r.htm>Round Report</A></td>"));
}

TEST(PageHead, StatKeyPageLinksItselfWithoutAnchor) {
  Tournament t;
  EXPECT_TRUE(HasLine(Head(t, ""), "  <td><A HREF=fall%20open_statkey.html>Stat Key</A></td>"));
}

TEST(PageHead, NamesAndAddressesCannotInjectMarkup) {
  Tournament t;
  t.Format.TourneyName = "<script>alert(1)</script>";
  t.Format.StandingsFile = "_s.html><script>";
  const std::string page = Head(t);
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_TRUE(HasLine(page, "<TITLE> &lt;script&gt;alert(1)&lt;/script&gt; Scoreboard </TITLE>"));
  EXPECT_TRUE(
      HasLine(page, "  <td><A HREF=fall%20open_s.html%3E%3Cscript%3E>Standings</A></td>"));
}

}  // namespace
}  // namespace drav
