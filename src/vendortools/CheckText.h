#pragma once

#include <string>
#include <vector>

// How the checker writes values and lists of names into its messages, which
// stay in the ANSI code page, as setup.exe reads the values: the tools
// convert them when they print.
namespace kestavo::vendortools::checktext {

std::string Quote(const std::string& text);
// "a", "a and b", "a, b and c".
std::string Join(const std::vector<std::string>& items);
std::string JoinQuoted(const std::vector<const char*>& words);
// Whether setup.exe's number reading finds digits in the text, after blanks
// and a sign, as opposed to reading 0 because it finds none.
bool StartsWithNumber(const std::string& text);
// Digits alone, with an optional sign: nothing the reading drops.
bool IsWholeNumber(const std::string& text);
// A line break or tab written the way programming languages write them
// ("\n", "\t", "<br>"), which windows show as they stand; empty when the
// text has none. A backslash after a letter, a digit or a colon is taken
// for a path's ("C:\new").
std::string EscapeIn(const std::string& text);
// The "%NAME%" of a text, a name that starts with a letter, of letters,
// digits, blanks, "_" and parentheses ("%ProgramFiles(x86)%"); empty when
// it has none.
std::string EnvironmentVariableIn(const std::string& text);
// What stands before a comment written after a value ("Picture ; the
// splash"), which setup.exe reads as part of the value; empty when the
// value has no such comment.
std::string BeforeComment(const std::string& value);
// ASCII letters folded to lower case.
std::string Lower(std::string text);

}  // namespace kestavo::vendortools::checktext
