#pragma once

#include <string>
#include <string_view>

#include "model/tournament.h"

namespace drav {

// The frame every page shares: head (title, optional style-sheet link), the navigation
// bar with a link to each included page, and the page heading. statKeyAnchor is the
// stat key section that explains this page ("" on the stat key page itself).
void WritePageHead(std::string& page, const Tournament& t, std::string_view linkBase,
                   std::string_view titleWord, std::string_view h1Word,
                   std::string_view statKeyAnchor);

// Closes the body and the document.
void WritePageFoot(std::string& page);

// The address of a page (link base + suffix, then the anchor) as it stands in an
// unquoted HREF: the suffix goes through EncodeLinkName (the link base already has), so
// no page name can end the attribute, and & < > " are escaped as in HtmlEscape.
std::string PageHref(std::string_view linkBase, std::string_view suffix,
                     std::string_view anchor = {});

}  // namespace drav
