#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"

namespace drav::modern {

// A name as it stands in a page's file name: lowercase ASCII letters and digits in words
// joined by "-". Accented Latin letters lose their accents (é e, ß ss, æ ae), apostrophes
// vanish, & reads "and", other letters are written as "u" and their hex code; anything else
// separates words. Never empty (fallback instead), never a device name Windows reserves
// (con, nul, com1, ...), at most kSlugLimit bytes. Names come from received files, so the
// result holds nothing a path could act on.
inline constexpr std::size_t kSlugLimit = 48;
std::string Slug(std::string_view name, std::string_view fallback);

// The address of every team's page and every player's page, from the names alone, so that
// sorting, adding or deleting other teams leaves an address as it was. Names that come
// out the same are told apart by "-2", "-3", ... in the order of their exact bytes (roster
// position only between identical names); so only adding or deleting a team whose name
// comes out the same can move the number of another.
struct PageAddresses {
  std::vector<std::string> teams;                 // by team index
  std::vector<std::vector<std::string>> players;  // by team, then roster position
};
PageAddresses AddressesOf(const Tournament& t);

// Within each list, distinct addresses for the names, as AddressesOf assigns them.
std::vector<std::string> DistinctSlugs(const std::vector<std::string>& names,
                                       std::string_view fallback);

}  // namespace drav::modern
