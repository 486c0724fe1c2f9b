#pragma once

#include <string>
#include <vector>

namespace kestavo::vendortools {

// The keyword a mistyped value was most likely meant to be: the same word
// in another letter case, or one a few edits away. Empty when none is
// close.
std::string NearestKeyword(const std::string& value, const std::vector<const char*>& keywords);

// The keyword a shortened value was meant to be: one the value begins, in
// any letter case ("stop" for "Stop installation"), or, when there is only
// one keyword, one whose first word begins the value ("After installation"
// for "After Setup Complete Dialog"). Words of fewer than four letters
// count for nothing. Empty when there is none.
std::string ShortenedKeyword(const std::string& value, const std::vector<const char*>& keywords);

// Edits (insertions, deletions, replacements) from one text to the other,
// without regard to ASCII letter case.
std::size_t EditDistance(const std::string& a, const std::string& b);

}  // namespace kestavo::vendortools
