// Typed-ahead input: dropped at a terminal (what the terminal holds and what
// stdio read ahead), never from a pipe.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/console_platform.h"

namespace {

// Puts fd on standard input for the life of the object.
struct StandardInput {
    const int saved = dup(STDIN_FILENO);
    explicit StandardInput(int fd) {
        dup2(fd, STDIN_FILENO);
        close(fd);
        std::clearerr(stdin);
    }
    ~StandardInput() {
        dup2(saved, STDIN_FILENO);
        close(saved);
        std::clearerr(stdin);
    }
};

void type(int fd, const std::string& text) {
    ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
}

TEST(PosixConsoleInput, DropsWhatWasTypedAheadAtATerminal) {
    const int keyboard = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(keyboard, 0);
    ASSERT_EQ(grantpt(keyboard), 0);
    ASSERT_EQ(unlockpt(keyboard), 0);
    const int terminal = open(ptsname(keyboard), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    {
        const StandardInput input(terminal);
        // A line is readable once the terminal has it whole (the time limit
        // only turns a hang into a failure).
        pollfd lineReady = {STDIN_FILENO, POLLIN, 0};
        type(keyboard, "c\n");
        ASSERT_EQ(poll(&lineReady, 1, 60000), 1);
        ASSERT_EQ(std::fgetc(stdin), 'c');  // its line end stays in stdio's buffer
        type(keyboard, "typed ahead\n");
        ASSERT_EQ(poll(&lineReady, 1, 60000), 1);

        platformDiscardTypedAhead();
        type(keyboard, "answer\n");
        char line[32] = {};
        ASSERT_NE(std::fgets(line, sizeof line, stdin), nullptr);
        EXPECT_STREQ(line, "answer\n");
    }
    close(keyboard);
}

TEST(PosixConsoleInput, LeavesPipedInputAlone) {
    int pipeEnds[2] = {-1, -1};
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::string rest;
    int first = 0;
    {
        const StandardInput input(pipeEnds[0]);
        type(pipeEnds[1], "d\n/tmp\n");
        close(pipeEnds[1]);
        first = std::fgetc(stdin);  // stdio now holds the rest
        platformDiscardTypedAhead();
        for (int c = std::fgetc(stdin); c != EOF; c = std::fgetc(stdin)) {
            rest += static_cast<char>(c);
        }
    }
    EXPECT_EQ(first, 'd');
    EXPECT_EQ(rest, "\n/tmp\n");
}

}  // namespace
