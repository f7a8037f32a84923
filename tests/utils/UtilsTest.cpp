// The vector values, the geometry and trigonometry helpers, and the Utils functions that
// return. The fatal paths are rows of tests/fatal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "Core.h"
#include "MathManager.h"
#include "Utils.h"

namespace {

TEST(Vector, ArithmeticTruncatesTowardZeroAndComparisonsHoldForEveryElement) {
    Int2 p(1, 2);
    const int raw[3] = {4, 5, 6};
    // Remainders by zero, and of the most negative int by -1, are zeros rather than faults.
    EXPECT_EQ(
        (std::vector<Int2>{
            {-1, 1}, {1, -1}, {6, 20}, {-9, -19}, {1, -1}, {0, 0}, {0, 0}, {4, 5}, {4, 0}}),
        (std::vector<Int2>{Int2(-3, 3) * 0.5f, Int2(25, -25) / 25.0f, Int2(3, 4) * Int2(2, 5),
                           Int2(1, 2) - ((p += Int2(10, 20)) -= Int2(1, 1)), Int2(7, -7) % 3,
                           Int2(7, -7) % 0, Int2(INT_MIN, 5) % -1, Int2(raw, 3), Int2(raw, 1)}));
    EXPECT_EQ(7, Int2(3, 4).sumOfElements() + Int2(3, 4).norm() - 5);
    Float2 unit(3, 4), zero;
    unit.normalize(), zero.normalize();
    EXPECT_TRUE(unit == Float2(0.6f, 0.8f) && zero == Float2(0, 0));
    Float3 v, size;
    v.setX(1), v.setY(2), v.setZ(3), size.setWidth(4), size.setHeight(5);
    EXPECT_TRUE(v == Float3(1, 2, 3) && size == Float3(4, 5, 0) && v.left() + v.right() == 4);
    // The hit test as buttons write it: corner (10, 20), size (30, 40).
    std::vector<bool> inside;
    for (const Int2& point : {Int2(10, 20), Int2(39, 59), Int2(40, 59), Int2(39, 60), Int2(9, 30)})
        inside.push_back(point >= Int2(10, 20) && point < Int2(10, 20) + Int2(30, 40));
    EXPECT_EQ(std::vector<bool>({true, true, false, false, false}), inside);
    EXPECT_TRUE(Int2(7, 10) > Int2(6, 9) && !(Int2(6, 9) > Int2(6, 9)));
    EXPECT_TRUE(Int2(6, 9) <= Int2(6, 9) && !(Int2(7, 9) <= Int2(6, 9)));
    EXPECT_TRUE(Int2(1, 2) != Int2(1, 3) && !(Int2(1, 2) != Int2(1, 2)));
}

TEST(Core, DistancesProductsMiddlesAndSphericalCoordinates) {
    EXPECT_EQ((std::vector<float>{5, 32, 13, 5}),
              (std::vector<float>{Core::distanceBetweenInt2(Int2(-1, 7), Int2(2, 3)),
                                  Core::dotProduct(Float3(1, 2, 3), Float3(4, 5, 6)),
                                  Core::distanceBetween(Float3(1, 1, 1), Float3(4, 5, 13)),
                                  Float2(1, 1).distanceTo(Float2(4, 5))}));
    EXPECT_EQ(
        (std::vector<Float3>{{0, 0, -1}, {-3, 6, -3}, {2, -1, 0.5f}, {0, 0, 0}}),
        (std::vector<Float3>{Core::crossProduct(Float2(0, 1), Float2(1, 0)),
                             Core::crossProduct(Float3(1, 2, 3), Float3(4, 5, 6)),
                             Core::middleBetweenTwoPoints(Float3(1, 0, 0), Float3(3, -2, 1)),
                             Core::getSphericalCoordinatesFrom3DCoordinates(Float3(1, 0, 0))}));
    // Elevation lifts toward +y; the heading turns from +x toward +z; negative z gives the
    // second half turn.
    const float pi = MathManager::PI;
    const std::pair<Float3, Float3> near[] = {
        {{1.7320508f, 0.9553166f, 0.7853982f},
         Core::getSphericalCoordinatesFrom3DCoordinates({1, 1, 1})},
        {{1.7320508f, 0.9553166f, 5.4977875f},
         Core::getSphericalCoordinatesFrom3DCoordinates({1, 1, -1})},
        {{0, 3, 0}, Core::get3DCoordinatesFromSphericalCoordinates(3, pi / 2, 0)},
        {{0, 0, 3}, Core::get3DCoordinatesFromSphericalCoordinates(3, 0, pi / 2)}};
    for (const auto& [expected, actual] : near)
        for (int i = 0; i < 3; i++)
            EXPECT_NEAR(expected.data[i], actual.data[i], 1e-6f) << i;
}

TEST(MathManager, AnglesFoldIntoOneTurnCentredOnZeroAndParabolicSines) {
    // The upper end belongs to the next turn down; -540 reduces onto +180, which is outside.
    const float folds[][2] = {{179, 179}, {180, -180},  {190, -170}, {540, -180},
                              {539, 179}, {-180, -180}, {-181, 179}, {-539, -179},
                              {-540, 0},  {725, 5},     {-725, -5},  {NAN, 0}};
    for (const auto& [in, out] : folds)
        EXPECT_EQ(out, MathManager::getAngleIn180Range(in)) << in;
    const float pi = MathManager::PI;
    EXPECT_EQ(-pi, MathManager::getAngleInPiRange(pi));         // folds as the degrees do
    const float huge = MathManager::getAngleIn180Range(1e30f);  // beyond an int's worth of turns
    EXPECT_TRUE(huge >= -180.0f && huge < 180.0f) << huge;
    EXPECT_FLOAT_EQ(-1.0f, MathManager::fastSin(-pi / 2));
    EXPECT_FLOAT_EQ(0.5555555f, MathManager::fastSin(pi / 6));
    EXPECT_FLOAT_EQ(0.49999997f, MathManager::fastSinMorePrecise(pi / 6));
    EXPECT_NEAR(-3.0f, MathManager::fastCos(pi), 1e-5f);  // no wrap-around past pi/2
}

TEST(Utils, PrintingConvertingAndPaths) {
    testing::internal::CaptureStdout();
    Utils::print(-42);
    Utils::print(L"|wide|");
    Utils::warningMessageToUser(std::string("careful\0ignored", 15));
    EXPECT_EQ("-42|wide|WARNING: careful\n", testing::internal::GetCapturedStdout());
    // Bytewise: a byte above 0x7F is a signed char; characters outside ASCII, and NUL, drop.
    EXPECT_EQ((std::wstring{L'a', L'\0', wchar_t(char(0xC3))}),
              Utils::convertStringToWString(std::string("a\0\xC3", 3)));
    EXPECT_EQ("caf!b", Utils::convertWStringToString(std::wstring(L"caf\u00e9!\0b", 7)));
    const std::wstring longPath(Utils::MAX_PATH + 50, L'p');
    EXPECT_EQ(longPath.substr(0, 4095), Utils::getDirectoryFromFilePathStatic(longPath.c_str()));
    EXPECT_EQ("a\\b\\\\c", Utils::replaceSlashesByBackslashes("a/b//c"));
    const std::string cwd = std::filesystem::current_path();
    EXPECT_EQ(cwd, Utils::getCurrentDirectory());
    EXPECT_EQ(Utils::convertStringToWString(cwd), Utils::getCurrentDirectoryStatic());
}

TEST(Utils, FilesAreReadInPiecesAndSizingKeepsThePosition) {
    const std::string path = "/tmp/tovrik-utils-" + std::to_string(getpid());
    const std::string bytes("PNG\0\xFF\r\n\x1A tail of the file", 26);
    std::ofstream(path, std::ios::binary) << bytes;
    FILE* file = Utils::openFileAndCheck(path);
    unsigned char chunk[64];
    unsigned long nbRead = 0;
    ASSERT_TRUE(Utils::readFile(file, chunk, 10, &nbRead) && nbRead == 10);
    EXPECT_EQ(26u, Utils::getFileSize(file));
    ASSERT_TRUE(Utils::readFile(file, chunk, 64, &nbRead));  // short read at the end
    EXPECT_EQ(bytes.substr(10), std::string(reinterpret_cast<char*>(chunk), nbRead));
    EXPECT_TRUE(Utils::closeFile(file));
    EXPECT_EQ(0u, Utils::getFileSize(nullptr));
    FILE* writeOnly = fopen(path.c_str(), "wb");  // cannot be read: false, count untouched
    EXPECT_FALSE(Utils::readFile(writeOnly, chunk, 10, &nbRead));
    EXPECT_EQ(16u, nbRead);
    EXPECT_TRUE(Utils::closeFile(writeOnly));
    std::filesystem::remove(path);
}

// Only this test reads the microsecond counter, whose origin is its first call.
TEST(Utils, ClocksStartSmallFollowRealTimeAndRandomValuesCoverTheirRange) {
    const long long first = Utils::getMicrosecondTime();
    const long startMs = Utils::getMillisecond();
    EXPECT_TRUE(first >= 0 && first < 1000000) << first;
    // Across a whole-second boundary of the wall clock; asleep, so not processor time.
    for (long long previous = first, now; previous - first < 1100000; previous = now) {
        ASSERT_GE(now = Utils::getMicrosecondTime(), previous);
        Utils::sleepMs(1);
    }
    EXPECT_GE(Utils::getMillisecond() - startMs, 1100);
    EXPECT_LT(Utils::getMillisecond() - startMs, 60000);
    std::set<int> seen;
    for (int i = 0; i < 2000; i++)
        seen.insert(Utils::random(6));
    EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4, 5}), seen);
    EXPECT_EQ(0, Utils::random(1) + Utils::random(0) + Utils::random(-7));
}

}  // namespace
