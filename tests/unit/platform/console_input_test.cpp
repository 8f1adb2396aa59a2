// Input that doesn't come from a terminal is never dropped.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/console_platform.h"

namespace {

TEST(PosixConsoleInput, LeavesPipedInputAlone) {
    int pipeEnds[2] = {-1, -1};
    ASSERT_EQ(pipe(pipeEnds), 0);
    const int savedStdin = dup(STDIN_FILENO);
    ASSERT_GE(savedStdin, 0);
    ASSERT_EQ(dup2(pipeEnds[0], STDIN_FILENO), STDIN_FILENO);
    close(pipeEnds[0]);
    const std::string typed = "d\n/tmp\n";
    ASSERT_EQ(write(pipeEnds[1], typed.data(), typed.size()),
              static_cast<ssize_t>(typed.size()));
    close(pipeEnds[1]);

    std::clearerr(stdin);
    const int first = std::fgetc(stdin);  // stdio now holds the rest
    platformDiscardTypedAhead();
    std::string rest;
    for (int c = std::fgetc(stdin); c != EOF; c = std::fgetc(stdin)) {
        rest += static_cast<char>(c);
    }

    dup2(savedStdin, STDIN_FILENO);
    close(savedStdin);
    std::clearerr(stdin);
    EXPECT_EQ(first, 'd');
    EXPECT_EQ(rest, "\n/tmp\n");
}

}  // namespace
