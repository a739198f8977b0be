#include "link/serial/ComPortArguments.h"

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
    EXPECT_EQ(paths[0].port, ComPortNumber::pnCOM1);
    EXPECT_EQ(paths[0].path, "/dev/pts/4");
    EXPECT_EQ(paths[1].port, ComPortNumber::pnCOM2);
    EXPECT_EQ(paths[1].path, "/dev/ttyUSB0");
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
