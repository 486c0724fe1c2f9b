#include "platform/AnsiConversion.h"

#include <gtest/gtest.h>

namespace kestavo {
namespace {

TEST(AnsiConversionTest, CodePagesThatRefuseTheBestFitFlagAreWrittenWithoutFlags) {
    for (const unsigned codePage :
         {1252u, 932u, 936u, 949u, 950u, 1251u, 437u, 50219u, 50230u, 57001u, 57012u, 65002u}) {
        EXPECT_EQ(AnsiConversionFlags(codePage), kNoBestFitChars) << codePage;
    }
    for (const unsigned codePage :
         {65001u, 65000u, 42u, 50220u, 50225u, 50229u, 52936u, 54936u, 57002u, 57011u}) {
        EXPECT_EQ(AnsiConversionFlags(codePage), 0u) << codePage;
    }
}

}  // namespace
}  // namespace kestavo
