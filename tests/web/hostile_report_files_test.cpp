#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "web/web_report.h"
#include "web_fixture.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

class HostileReportFiles : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Base() const { return dir_ + "/out/fall open"; }
  std::string dir_;
};

#ifndef _WIN32  // links and FIFOs
// A received file names the style sheet; only a regular file named *.css, reached without
// a link, is copied (and so published). The others fail without waiting or copying.
TEST_F(HostileReportFiles, OnlyARegularStyleSheetIsCopied) {
  fs::create_directory(dir_ + "/out");
  test::WriteFile(dir_ + "/secret.txt", "private");
  test::WriteFile(dir_ + "/real.css", "h1 {}");
  fs::create_symlink(dir_ + "/secret.txt", dir_ + "/link.css");
  ASSERT_EQ(::mkfifo((dir_ + "/x.css").c_str(), 0600), 0);
  fs::create_directory(dir_ + "/folder.css");
  const struct {
    std::string source;
    bool copied;
  } cases[] = {
      {dir_ + "/secret.txt" + std::string(1, '\0') + ".css", false},  // cut at the NUL
      {dir_ + "/secret.txt\t.css", false},
      {dir_ + "/link.css", false},
      {dir_ + "/x.css", false},  // a FIFO: opening it must not wait for a writer
      {dir_ + "/folder.css", false},
      {"/dev/zero.css", false},
      {dir_ + "/real.css", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    fs::remove(Base() + "_style.css");
    Tournament t = test::WebFixture();
    t.Format.StyleSheet = 1;
    t.Format.StyleSheetFile = c.source;
    const std::vector<std::string> failed = WriteWebReport(t, Base());
    EXPECT_EQ(failed, c.copied ? std::vector<std::string>{}
                               : std::vector<std::string>{Base() + "_style.css"});
    EXPECT_EQ(fs::exists(Base() + "_style.css"), c.copied);
  }
  EXPECT_EQ(test::ReadFile(Base() + "_style.css"), "h1 {}");
}
#endif

TEST_F(HostileReportFiles, PageNameHoldingAControlByteIsRefused) {
  fs::create_directory(dir_ + "/out");
  Tournament t = test::WebFixture();
  t.Format.ScoreboardFile = std::string("\0_games.html", 12);
  t.Format.StatKeyFile = "_key\r.html";
  EXPECT_EQ(WriteWebReport(t, Base()), (std::vector<std::string>{Base() + t.Format.ScoreboardFile,
                                                                 Base() + t.Format.StatKeyFile}));
  EXPECT_FALSE(fs::exists(Base()));  // the name cut at the NUL
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else if (text.substr(i, 5) == "&amp;") {
      out += '&';
      i += 4;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Page names built to add a handler to the links, break the address or cut it: every
// link still reaches its page, and no tag gains an attribute from a name.
TEST_F(HostileReportFiles, PageNamesCannotAddAttributesAndLinksStillWork) {
  fs::create_directory(dir_ + "/out");
  Tournament t = test::WebFixture();
  t.Format.RoundReports = 1;
  t.Format.StyleSheet = 1;
  t.Format.StyleSheetFile = dir_ + "/s.css";
  test::WriteFile(t.Format.StyleSheetFile, "body {}");
  t.Format.ScoreboardFile = "_x onmouseover=alert(1) y.html";
  t.Format.StandingsFile = "_s'onclick=alert(2)'.html";
#ifdef _WIN32  // Windows file names cannot hold " < > ?
  t.Format.TeamDetailFile = "_t'`b.html";
  t.Format.PlayerDetailFile = "_50% #1.html";
  const std::string base = dir_ + "/out/fall #1 50%";
#else
  t.Format.TeamDetailFile = "_t'\"`<b>.html";
  t.Format.PlayerDetailFile = "_50% #1 ?.html";
  const std::string base = dir_ + "/out/fall #1 50%?";
#endif
  t.Format.RoundsFile = "_r&amp;.html";
  ASSERT_TRUE(WriteWebReport(t, base).empty());
  std::map<std::string, std::string> pages;
  for (const auto& e : fs::directory_iterator(dir_ + "/out"))
    pages[e.path().filename().string()] = test::ReadFile(e.path().string());
  const std::regex href("HREF=([^ >]*)>");
  const std::regex handler("<[^>]*\\s[oO][nN][a-zA-Z]+=");
  int links = 0;
  for (const auto& [name, text] : pages) {
    EXPECT_FALSE(std::regex_search(text, handler)) << name;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), href);
         it != std::sregex_iterator(); ++it, ++links) {
      const std::string address = (*it)[1].str();
      if (address.rfind("\"http", 0) == 0) continue;
      const std::string file = PercentDecoded(address.substr(0, address.find('#')));
      EXPECT_EQ(pages.count(file), 1u) << name << " links to missing " << file;
    }
  }
  EXPECT_GT(links, 40);
}

}  // namespace
}  // namespace drav
