#include <gtest/gtest.h>

#include "shell/ComPortNames.h"

namespace {

TEST(ComPortNames, SpoolerPortNamesAreKeptWhole)
{
    EXPECT_EQ(ComPortsFromSpoolerNames({u"COM1:", u"COM12:", u"LPT1:", u"FILE:", u"COM3"}),
              (std::vector<std::u16string>{u"COM1", u"COM12", u"COM3"}));
}

}  // namespace
