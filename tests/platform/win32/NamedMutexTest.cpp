#include "platform/win32/NamedMutex.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

using win32::NamedMutex;

TEST(NamedMutex, OneHolderPerWorldAndADeadHolderBlocksNobody) {
    TempFolder folder;
    const ScopedVariable world("KALMORA_WORLD", folder.path("Welt"));
    {
        auto held = NamedMutex::tryAcquire("Ausdruck");
        ASSERT_TRUE(held);
        EXPECT_FALSE(NamedMutex::tryAcquire("Ausdruck"));
        EXPECT_TRUE(NamedMutex::tryAcquire("anderer Name"));
        // Another machine has a mutex of that name of its own.
        const ScopedVariable other("KALMORA_WORLD", folder.path("andere Welt"));
        EXPECT_TRUE(NamedMutex::tryAcquire("Ausdruck"));
    }
    EXPECT_TRUE(NamedMutex::tryAcquire("Ausdruck"));

    // A holder that dies without releasing it.
    int held[2];
    ASSERT_EQ(::pipe(held), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        auto mutex = NamedMutex::tryAcquire("Ausdruck");
        (void)!::write(held[1], mutex ? "1" : "0", 1);
        ::pause();
    }
    char answer = '0';
    ASSERT_EQ(::read(held[0], &answer, 1), 1);
    EXPECT_EQ(answer, '1');
    EXPECT_FALSE(NamedMutex::tryAcquire("Ausdruck"));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(NamedMutex::tryAcquire("Ausdruck"));
}

}  // namespace
