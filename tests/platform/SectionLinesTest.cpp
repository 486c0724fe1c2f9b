#include "platform/SectionLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestavo {
namespace {

using namespace std::string_literals;

// Windows hands the lines back as written; Wine rebuilds them from what it
// parsed, so only these lines show what Windows gives.
TEST(SectionLinesTest, NamesComeWithoutTheBlanksRoundThemAsAReadFindsThem) {
    const std::string lines =
        "A0=first\0B0 = After installation\0\tA1\t=\tx\0Acme Tool =a=b\0"
        "  =blank name\0 \t=x\0novalue\0=empty name\0A2=\0"s;

    EXPECT_EQ(NamesOfLines(lines.data(), lines.size()),
              (std::vector<std::string>{"A0", "B0", "A1", "Acme Tool", "A2"}));
}

}  // namespace
}  // namespace kestavo
