#pragma once

// The placeholders of a text, which a translation must keep: a program puts
// values in their place, and one lost or added breaks the line in the game.
// The forms:
//   printf style  %s  %d  %5.2f  %-3ld  %1$s   (%% is a percent sign, not one)
//   numbered      %1 to %99 (at most two digits, as Qt's arg numbers them)
//   braces        {0}  {name}  (letters, digits and underscores)
//   tags          <b>  </b>  <br/>  <font color="red">
// A percent sign followed by digits is printf style when a conversion letter
// follows the digits (%1d, %5.2f), numbered otherwise (%1, %12).

#include <string>
#include <string_view>
#include <vector>

namespace check {

// The placeholders of `text` in the order they stand, each as written.
std::vector<std::string_view> FindPlaceholders(std::string_view text);

// How the placeholders of `translation` differ from those of `reference`,
// counted as multisets: for instance `missing %s, {name}; extra %d`. Empty
// when they are the same.
std::string PlaceholderDifference(std::string_view reference, std::string_view translation);

} // namespace check
