#include "link/serial/ComPortArguments.h"
#include "link/serial/TCommPortDriver.h"

#include <gtest/gtest.h>

namespace veld23::link {
namespace {

TEST(ComPortArguments, PathsAreTakenOutOfTheArguments) {
    std::vector<std::string> args = {"open", "--com1", "/dev/pts/4", "file.v23",
                                     "--com2=/dev/ttyUSB0"};
    std::vector<ComPortPathArgument> paths;
    EXPECT_FALSE(TakeComPortArguments(args, paths));
    EXPECT_EQ(args, (std::vector<std::string>{"open", "file.v23"}));
    ASSERT_EQ(paths.size(), 2u);
    TCommPortDriver driver;
    ApplyComPortArguments(paths, driver);
    EXPECT_EQ(driver.PortPath(ComPortNumber::pnCOM1), "/dev/pts/4");
    EXPECT_EQ(driver.PortPath(ComPortNumber::pnCOM2), "/dev/ttyUSB0");
    EXPECT_EQ(driver.PortPath(ComPortNumber::pnCOM3), "/dev/ttyS2");
}

TEST(ComPortArguments, AnOptionWithoutItsPathIsAnError) {
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--com1"}, std::vector<std::string>{"--com2="}}) {
        std::vector<std::string> args = bad;
        std::vector<ComPortPathArgument> paths;
        const auto error = TakeComPortArguments(args, paths);
        ASSERT_TRUE(error);
        EXPECT_NE(error->find("needs a device path"), std::string::npos);
    }
}

} // namespace
} // namespace veld23::link
