#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "ChildProcess.h"
#include "Utils.h"

namespace {

// The microsecond counter's origin is fixed by the first call in a process, so every call
// of it happens in a fresh child: no other test in this program calls it.
TEST(UtilsTime, MicrosecondCounterStartsSmallAndNeverGoesBack) {
    ChildResult child = runInChild([] {
        long long first = Utils::getMicrosecondTime();
        long long previous = first;
        long long backwards = 0;
        // Across at least one whole-second boundary of the wall clock.
        while (previous - first < 1100000) {
            long long now = Utils::getMicrosecondTime();
            if (now < previous)
                backwards++;
            previous = now;
            Utils::sleepMs(1);
        }
        std::ostringstream report;
        report << first << " " << backwards;
        Utils::print(report.str().c_str());
    });
    ASSERT_EQ(0, child.status);
    std::istringstream report(child.output);
    long long first = -1, backwards = -1;
    report >> first >> backwards;
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 1000000);
    EXPECT_EQ(0, backwards);
}

TEST(UtilsTime, MillisecondsCountRealTimeWhileSleeping) {
    // Processor time would barely move here: the process spends the interval asleep.
    long start = Utils::getMillisecond();
    Utils::sleepMs(120);
    long elapsed = Utils::getMillisecond() - start;
    EXPECT_GE(elapsed, 120);
    EXPECT_LT(elapsed, 60000);  // a sanity bound on the unit, not a speed goal
}

TEST(UtilsRandom, ValuesStayBelowTheBoundAndCoverIt) {
    srand(12345);
    std::set<int> seen;
    for (int i = 0; i < 2000; i++) {
        int value = Utils::random(6);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 6);
        seen.insert(value);
        ASSERT_EQ(0, Utils::random(1));
    }
    EXPECT_EQ(6u, seen.size());
    // A bound of zero or less has no valid value; 0 rather than a division by zero.
    EXPECT_EQ(0, Utils::random(0));
    EXPECT_EQ(0, Utils::random(-7));
}

TEST(UtilsRandom, SeedingMakesTheSequenceRepeatWithinOneSecond) {
    // Seeds are whole seconds: two seedings within the same second give the same numbers.
    // Retried when a second boundary falls between them.
    for (int attempt = 0; attempt < 5; attempt++) {
        time_t before = time(nullptr);
        Utils::initRandomSeed();
        int a[8];
        for (int& v : a)
            v = Utils::random(1000000);
        Utils::initRandomSeed();
        int b[8];
        for (int& v : b)
            v = Utils::random(1000000);
        if (time(nullptr) != before)
            continue;
        for (int i = 0; i < 8; i++)
            EXPECT_EQ(a[i], b[i]) << i;
        return;
    }
    FAIL() << "the clock moved between every pair of seedings";
}

TEST(UtilsStrings, ConversionsAreBytewiseUnderTheDefaultLocale) {
    EXPECT_EQ(L"media/d6/1.png", Utils::convertStringToWString("media/d6/1.png"));
    // A byte above 0x7F is taken as a signed char, never decoded as UTF-8.
    std::wstring wide = Utils::convertStringToWString("A\xC3\xA9");
    ASSERT_EQ(3u, wide.size());
    EXPECT_EQ(L'A', wide[0]);
    EXPECT_EQ(static_cast<wchar_t>(static_cast<char>(0xC3)), wide[1]);
    EXPECT_EQ(static_cast<wchar_t>(static_cast<char>(0xA9)), wide[2]);
    EXPECT_EQ(std::wstring(L"a\0b", 3), Utils::convertStringToWString(std::string("a\0b", 3)));

    EXPECT_EQ("Roll result", Utils::convertWStringToString(L"Roll result"));
    // Characters outside 7-bit ASCII and NUL are dropped, so the result is shorter.
    EXPECT_EQ("caf!", Utils::convertWStringToString(L"caf\u00e9!"));
    EXPECT_EQ("ab", Utils::convertWStringToString(std::wstring(L"a\0\u4e2db", 4)));
}

}  // namespace
