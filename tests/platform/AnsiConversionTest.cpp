#include "platform/AnsiConversion.h"

#include <gtest/gtest.h>

namespace kestavo {
namespace {

TEST(AnsiConversionTest, CodePagesThatRefuseTheBestFitFlagAreWrittenWithoutFlagsAndReadBack) {
    const AnsiConversion bestFit{kNoBestFitChars, true};
    const AnsiConversion readBack{0, false};
    for (const unsigned codePage :
         {1252u, 932u, 936u, 949u, 950u, 1251u, 437u, 50219u, 50230u, 57001u, 57012u, 65002u}) {
        EXPECT_EQ(AnsiConversionFor(codePage), bestFit) << codePage;
    }
    for (const unsigned codePage :
         {65001u, 65000u, 42u, 50220u, 50225u, 50229u, 52936u, 54936u, 57002u, 57011u}) {
        EXPECT_EQ(AnsiConversionFor(codePage), readBack) << codePage;
    }
}

}  // namespace
}  // namespace kestavo
