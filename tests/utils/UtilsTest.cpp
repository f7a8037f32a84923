// The vector values, the geometry and trigonometry helpers, and the Utils functions that
// return. The fatal paths are rows of tests/fatal.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <set>

#include "Core.h"
#include "MathManager.h"
#include "Utils.h"

template <unsigned int n, typename T>
void PrintTo(const BasicVector<n, T>& v, std::ostream* out) {
    for (unsigned int i = 0; i < n; i++)
        *out << (i ? ", " : "(") << +v.data[i];
    *out << ")";
}

namespace {

namespace fs = std::filesystem;

void expectNear(const Float3& expected, const Float3& actual, float tolerance = 1e-6f) {
    for (int i = 0; i < 3; i++)
        EXPECT_NEAR(expected.data[i], actual.data[i], tolerance) << i;
}

TEST(Vector, ArithmeticTruncatesTowardZeroAndRemaindersStayDefined) {
    EXPECT_EQ(Int2(5, 1), Int2(10, 3) * 0.5f);
    EXPECT_EQ(Int2(-1, 1), Int2(-3, 3) * 0.5f);
    EXPECT_EQ(Int2(1, -1), Int2(25, -25) / 25.0f);  // not a product with the reciprocal
    EXPECT_EQ(Color(4, 6, 8, 200), Color(2, 3, 4, 100) * 2.0f);
    EXPECT_EQ(Int2(6, 20), Int2(3, 4) * Int2(2, 5));
    EXPECT_EQ(Float2(0.5f, 0.5f), Float2(0.5f));
    Int2 p(1, 2);
    EXPECT_EQ(Int2(-9, -19), Int2(1, 2) - ((p += Int2(10, 20)) -= Int2(1, 1)));
    EXPECT_EQ(Int2(1, -1), Int2(7, -7) % 3);
    EXPECT_EQ(Float2(1.5f, -1.5f), Float2(7.5f, -7.5f) % 2);
    EXPECT_EQ(Int2(0, 0), Int2(7, -7) % 0);
    EXPECT_EQ(Int2(0, 0), Int2(INT_MIN, 5) % -1);
    EXPECT_EQ(Color(1, 2, 0, 0), Color(1, 2));
    EXPECT_EQ(Color(255, 255, 255, 128), colorSemiTransparent);  // white, as documented
    const int raw[3] = {4, 5, 6};
    EXPECT_EQ(Int2(4, 5), Int2(raw, 3));
    EXPECT_EQ(7, Int2(3, 4).sumOfElements());
    EXPECT_EQ(5, Int2(3, 4).norm());
    EXPECT_EQ(5.0f, Float2(1, 1).distanceTo(Float2(4, 5)));
    EXPECT_EQ(Float2(3, 9), Float2(Float3(3, 1, 9).left(), Float3(3, 1, 9).right()));
    Float2 unit(3, 4), zero;
    unit.normalize(), zero.normalize();
    EXPECT_TRUE(unit == Float2(0.6f, 0.8f) && zero == Float2(0, 0));
}

TEST(Vector, ComparisonsHoldOnlyWhenTheyHoldForEveryElement) {
    EXPECT_TRUE(Int2(5, 1) < Int2(6, 9) && !(Int2(5, 10) < Int2(6, 9)));
    EXPECT_TRUE(Int2(7, 10) > Int2(6, 9) && !(Int2(6, 9) > Int2(6, 9)));
    EXPECT_TRUE(Int2(6, 9) <= Int2(6, 9) && !(Int2(7, 9) <= Int2(6, 9)));
    EXPECT_TRUE(Int2(1, 2) != Int2(1, 3) && !(Int2(1, 2) != Int2(1, 2)));
    // The hit test as buttons write it: corner (10, 20), size (30, 40).
    const std::pair<Int2, bool> points[] = {{Int2(10, 20), true},
                                            {Int2(39, 59), true},
                                            {Int2(40, 59), false},
                                            {Int2(39, 60), false},
                                            {Int2(9, 30), false}};
    for (const auto& [point, inside] : points)
        EXPECT_EQ(inside, point >= Int2(10, 20) && point < Int2(10, 20) + Int2(30, 40))
            << point.x();
}

TEST(Core, DistancesProductsMiddlesAndSphericalCoordinates) {
    EXPECT_FLOAT_EQ(5.0f, Core::distanceBetweenInt2(Int2(-1, 7), Int2(2, 3)));
    EXPECT_EQ(Float3(0, 0, -1), Core::crossProduct(Float2(0, 1), Float2(1, 0)));
    EXPECT_EQ(Float3(-3, 6, -3), Core::crossProduct(Float3(1, 2, 3), Float3(4, 5, 6)));
    EXPECT_FLOAT_EQ(32.0f, Core::dotProduct(Float3(1, 2, 3), Float3(4, 5, 6)));
    EXPECT_EQ(Float3(2, -1, 0.5f), Core::middleBetweenTwoPoints(Float3(1, 0, 0), Float3(3, -2, 1)));
    EXPECT_FLOAT_EQ(13.0f, Core::distanceBetween(Float3(1, 1, 1), Float3(4, 5, 13)));

    expectNear(Float3(1.7320508f, 0.9553166f, 0.7853982f),
               Core::getSphericalCoordinatesFrom3DCoordinates(Float3(1, 1, 1)));
    expectNear(Float3(1.7320508f, 0.9553166f, 5.4977875f),  // negative z: second half turn
               Core::getSphericalCoordinatesFrom3DCoordinates(Float3(1, 1, -1)));
    EXPECT_EQ(Float3(0, 0, 0), Core::getSphericalCoordinatesFrom3DCoordinates(Float3(1, 0, 0)));
    EXPECT_EQ(Float3(0, 0, 0), Core::getSphericalCoordinatesFrom3DCoordinates(Float3(0, 5, 3)));
    // Elevation lifts toward +y; the heading turns from +x toward +z.
    expectNear(Float3(0, 3, 0),
               Core::get3DCoordinatesFromSphericalCoordinates(3, MathManager::PI / 2, 0));
    expectNear(Float3(0, 0, 3),
               Core::get3DCoordinatesFromSphericalCoordinates(3, 0, MathManager::PI / 2));
    const Float3 back = Core::getSphericalCoordinatesFrom3DCoordinates(
        Core::get3DCoordinatesFromSphericalCoordinates(2.5f, 0.3f, 4.0f));
    expectNear(Float3(2.5f, MathManager::PI / 2 - 0.3f, 4.0f), back, 1e-5f);
}

TEST(MathManager, AnglesFoldIntoOneTurnCentredOnZero) {
    // The upper end belongs to the next turn down; -540 reduces onto +180, which is outside.
    const float folds[][2] = {{179, 179}, {180, -180},  {190, -170}, {540, -180},
                              {539, 179}, {-180, -180}, {-181, 179}, {-539, -179},
                              {-540, 0},  {725, 5},     {-725, -5},  {NAN, 0}};
    for (const auto& [in, out] : folds)
        EXPECT_EQ(out, MathManager::getAngleIn180Range(in)) << in;
    const float pi = MathManager::PI;
    EXPECT_EQ(-pi, MathManager::getAngleInPiRange(pi));  // folds as the degrees do
    EXPECT_EQ(1.0f, MathManager::getAngleInPiRange(1.0f));
    EXPECT_FLOAT_EQ(3.1415925f, MathManager::getAngleInPiRange(9.424778f));  // one turn, not two
    EXPECT_FLOAT_EQ(-3.1415925f, MathManager::getAngleInPiRange(-9.424778f));
    const float huge = MathManager::getAngleIn180Range(1e30f);  // beyond an int's worth of turns
    EXPECT_TRUE(huge >= -180.0f && huge < 180.0f) << huge;
}

TEST(MathManager, ParabolicSineAndCosine) {
    const float pi = MathManager::PI;
    EXPECT_FLOAT_EQ(1.0f, MathManager::fastSin(pi / 2));
    EXPECT_FLOAT_EQ(-1.0f, MathManager::fastSin(-pi / 2));
    EXPECT_NEAR(0.0f, MathManager::fastSin(pi), 1e-6f);
    EXPECT_FLOAT_EQ(0.5555555f, MathManager::fastSin(pi / 6));
    EXPECT_FLOAT_EQ(0.49999997f, MathManager::fastSinMorePrecise(pi / 6));
    EXPECT_NEAR(-0.8421677f, MathManager::fastSinMorePrecise(-1.0f), 2e-7f);
    EXPECT_FLOAT_EQ(1.0f, MathManager::fastCos(0.0f));
    EXPECT_NEAR(-3.0f, MathManager::fastCos(pi), 1e-5f);  // no wrap-around past pi/2
}

TEST(Utils, PrintingAndWarnings) {
    testing::internal::CaptureStdout();
    Utils::print(-42);
    Utils::print(static_cast<const char*>(nullptr));
    Utils::print(static_cast<const wchar_t*>(nullptr));
    Utils::print(L"|wide|");
    Utils::warningMessageToUser(std::string("careful\0ignored", 15));
    EXPECT_EQ("-42|wide|WARNING: careful\n", testing::internal::GetCapturedStdout());
}

TEST(Utils, ConversionsAreBytewise) {
    // A byte above 0x7F is taken as a signed char, never decoded as UTF-8.
    EXPECT_EQ((std::wstring{L'a', L'\0', wchar_t(char(0xC3))}),
              Utils::convertStringToWString(std::string("a\0\xC3", 3)));
    // Characters outside 7-bit ASCII, and NUL, are dropped.
    EXPECT_EQ("caf!b", Utils::convertWStringToString(std::wstring(L"caf\u00e9!\0b", 7)));
}

TEST(Utils, FilesAreReadWholeOrInPiecesAndSizingKeepsThePosition) {
    const std::string path =
        fs::temp_directory_path() / ("tovrik-utils-" + std::to_string(getpid()));
    const std::string bytes("PNG\0\xFF\r\n\x1A tail of the file", 26);
    std::ofstream(path, std::ios::binary) << bytes;
    unsigned long size = 0;
    unsigned char* whole = Utils::readFileIntoNewBuffer(path, &size);
    EXPECT_EQ(bytes, std::string(reinterpret_cast<char*>(whole), size));
    delete[] whole;

    FILE* file = Utils::openFileAndCheck(path);
    unsigned char chunk[64];
    unsigned long nbRead = 0;
    ASSERT_TRUE(Utils::readFile(file, chunk, 10, &nbRead));
    EXPECT_EQ(10u, nbRead);
    EXPECT_EQ(26u, Utils::getFileSize(file));
    ASSERT_TRUE(Utils::readFile(file, chunk, 64, &nbRead));  // short read at the end
    EXPECT_EQ(bytes.substr(10), std::string(reinterpret_cast<char*>(chunk), nbRead));
    EXPECT_TRUE(Utils::closeFile(file));
    EXPECT_EQ(nullptr, Utils::openFile(path + ".missing"));

    FILE* writeOnly = fopen(path.c_str(), "wb");  // cannot be read: false, count untouched
    EXPECT_FALSE(Utils::readFile(writeOnly, chunk, 10, &nbRead));
    EXPECT_EQ(16u, nbRead);
    EXPECT_TRUE(Utils::closeFile(writeOnly));
    fs::remove(path);
}

TEST(Utils, PathsAreCopiedTruncatedAndTheWorkingDirectoryIsTheSystems) {
    const std::wstring longPath(Utils::MAX_PATH + 50, L'p');
    EXPECT_EQ(longPath.substr(0, 4095), Utils::getDirectoryFromFilePathStatic(longPath.c_str()));
    EXPECT_STREQ(L"media/d6/", Utils::getDirectoryFromFilePathStatic(L"media/d6/"));
    EXPECT_STREQ(L"", Utils::getDirectoryFromFilePathStatic(nullptr));
    EXPECT_EQ("a\\b\\\\c", Utils::replaceSlashesByBackslashes("a/b//c"));

    const fs::path start = fs::current_path();
    EXPECT_EQ(start.string(), Utils::getCurrentDirectory());
    EXPECT_EQ(Utils::convertStringToWString(start.string()), Utils::getCurrentDirectoryStatic());
    // Deeper than the buffer holds: the system cannot give it, and the answer is empty.
    const fs::path deep = fs::temp_directory_path() / ("tovrik-deep-" + std::to_string(getpid()));
    fs::create_directories(deep);
    fs::current_path(deep);
    const std::string part(200, 'd');
    for (int depth = 0; depth < 25; depth++)
        ASSERT_TRUE(mkdir(part.c_str(), 0700) == 0 && chdir(part.c_str()) == 0) << depth;
    const std::string tooDeep = Utils::getCurrentDirectory();
    const size_t tooDeepWide = wcslen(Utils::getCurrentDirectoryStatic());
    fs::current_path(start);
    fs::remove_all(deep);
    EXPECT_EQ("", tooDeep);
    EXPECT_EQ(0u, tooDeepWide);
}

// Only this test reads the microsecond counter, whose origin is its first call.
TEST(Utils, ClocksStartSmallFollowRealTimeAndNeverGoBack) {
    const long long first = Utils::getMicrosecondTime();
    const long startMs = Utils::getMillisecond();
    EXPECT_TRUE(first >= 0 && first < 1000000) << first;
    // Across a whole-second boundary of the wall clock.
    for (long long previous = first, now; previous - first < 1100000; previous = now) {
        now = Utils::getMicrosecondTime();
        ASSERT_GE(now, previous);
        Utils::sleepMs(1);
    }
    // Processor time would barely move: the process spent the interval asleep.
    EXPECT_GE(Utils::getMillisecond() - startMs, 1100);
    EXPECT_LT(Utils::getMillisecond() - startMs, 60000);
}

TEST(Utils, RandomValuesStayBelowTheBoundAndCoverIt) {
    std::set<int> seen;
    for (int i = 0; i < 2000; i++) {
        const int value = Utils::random(6);
        ASSERT_TRUE(value >= 0 && value < 6) << value;
        seen.insert(value);
    }
    EXPECT_EQ(6u, seen.size());
    EXPECT_EQ(0, Utils::random(1) + Utils::random(0) + Utils::random(-7));
}

}  // namespace
