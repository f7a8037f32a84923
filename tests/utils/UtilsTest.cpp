// The vector values, the geometry and trigonometry helpers, and the Utils functions that
// return. The fatal paths are rows of tests/fatal.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <filesystem>

#include "Core.h"
#include "MathManager.h"
#include "Utils.h"

namespace {

TEST(Vector, ArithmeticTruncatesTowardZero) {
    const int raw[3] = {4, 5, 6};
    Int2 sum(1, 2), sized;
    (sum += Int2(10, 20)) -= Int2(1, 1);
    sized.setWidth(3);
    sized.setHeight(4);
    // clang-format off
    const std::tuple<const char*, Int2, Int2> rows[] = {
        {"scaled by a half", Int2(-3, 3) * 0.5f, {-1, 1}},
        {"divided by a float", Int2(25, -25) / 25.0f, {1, -1}},
        {"multiplied element by element", Int2(3, 4) * Int2(2, 5), {6, 20}},
        {"added to and subtracted from", sum, {10, 21}},
        {"remainder", Int2(7, -7) % 3, {1, -1}},
        // Remainders by zero, and of the most negative int by -1, are zeros, not faults.
        {"remainder by zero", Int2(7, -7) % 0, {0, 0}},
        {"remainder of INT_MIN by -1", Int2(INT_MIN, 5) % -1, {0, 0}},
        {"from three elements", Int2(raw, 3), {4, 5}},
        {"from one element", Int2(raw, 1), {4, 0}},
        {"width and height set", sized, {3, 4}}};
    // clang-format on
    for (const auto& [name, got, want] : rows)
        EXPECT_EQ(got, want) << name;
    Float2 unit(3, 4), zero;
    unit.normalize();
    zero.normalize();
    EXPECT_EQ(unit, Float2(0.6f, 0.8f));
    EXPECT_EQ(zero, Float2(0, 0)) << "a zero vector stays zero";
}

// Every element must satisfy the comparison: the hit test as buttons write it, corner
// (10, 20), size (30, 40).
TEST(Vector, ComparisonsHoldForEveryElement) {
    const auto in = [](Int2 p) { return p >= Int2(10, 20) && p < Int2(10, 20) + Int2(30, 40); };
    const std::tuple<const char*, bool, bool> rows[] = {
        {"the corner is in", in({10, 20}), true},
        {"the last pixel is in", in({39, 59}), true},
        {"right of it is out", in({40, 59}), false},
        {"below it is out", in({39, 60}), false},
        {"left of it is out", in({9, 30}), false},
        {"greater in both", Int2(7, 10) > Int2(6, 9), true},
        {"greater in neither", Int2(6, 9) > Int2(6, 9), false},
        {"equal is at most", Int2(6, 9) <= Int2(6, 9), true},
        {"greater in one only", Int2(7, 9) <= Int2(6, 9), false},
        {"differs in one", Int2(1, 2) != Int2(1, 3), true},
        {"equal does not differ", Int2(1, 2) != Int2(1, 2), false}};
    for (const auto& [name, got, want] : rows)
        EXPECT_EQ(got, want) << name;
}

// The named colours, RGBA.
TEST(Color, NamedColours) {
    const std::tuple<const char*, Color, Color> rows[] = {
        {"black", colorBlack, Color(0, 0, 0, 255)},
        {"grey", colorGrey, Color(128, 128, 128, 255)},
        {"white", colorWhite, Color(255, 255, 255, 255)},
        {"semi-transparent", colorSemiTransparent, Color(255, 255, 255, 128)},
        {"transparent", colorTransparent, Color(255, 255, 255, 0)},
        {"blue", colorBlue, Color(0, 0, 255, 255)},
        {"red", colorRed, Color(255, 0, 0, 255)},
        {"yellow", colorYellow, Color(255, 255, 0, 255)}};
    for (const auto& [name, got, want] : rows)
        EXPECT_EQ(got, want) << name;
}

TEST(Core, DistancesProductsAndMiddles) {
    const std::tuple<const char*, float, float> lengths[] = {
        {"distance of Int2", Core::distanceBetweenInt2(Int2(-1, 7), Int2(2, 3)), 5},
        {"dot product", Core::dotProduct(Float3(1, 2, 3), Float3(4, 5, 6)), 32},
        {"distance of Float3", Core::distanceBetween(Float3(1, 1, 1), Float3(4, 5, 13)), 13},
        {"distance of Float2", Float2(1, 1).distanceTo(Float2(4, 5)), 5},
        {"sum of elements", float(Int2(3, 4).sumOfElements()), 7},
        {"norm", float(Int2(3, 4).norm()), 5}};
    for (const auto& [name, got, want] : lengths)
        EXPECT_EQ(got, want) << name;
    const std::tuple<const char*, Float3, Float3> points[] = {
        {"cross product of Float2", Core::crossProduct(Float2(0, 1), Float2(1, 0)), {0, 0, -1}},
        {"cross product", Core::crossProduct(Float3(1, 2, 3), Float3(4, 5, 6)), {-3, 6, -3}},
        {"middle", Core::middleBetweenTwoPoints(Float3(1, 0, 0), Float3(3, -2, 1)), {2, -1, 0.5f}}};
    for (const auto& [name, got, want] : points)
        EXPECT_EQ(got, want) << name;
}

// Radius, elevation, heading. Elevation lifts toward +y; the heading turns from +x toward +z;
// negative z gives the second half turn.
TEST(Core, SphericalCoordinates) {
    const std::tuple<const char*, Float3, Float3> rows[] = {
        {"to spherical, origin", Core::getSphericalCoordinatesFrom3DCoordinates({0, 0, 0}), {}},
        {"to spherical, x",
         Core::getSphericalCoordinatesFrom3DCoordinates({1, 0, 0}),
         {1, 1.5707964f, 0}},
        {"to spherical, x = 0",
         Core::getSphericalCoordinatesFrom3DCoordinates({0, 5, 3}),
         {5.8309519f, 0.5404195f, 1.5707964f}},
        {"to spherical, -z alone",
         Core::getSphericalCoordinatesFrom3DCoordinates({0, 0, -2}),
         {2, 1.5707964f, 4.7123890f}},
        {"to spherical, +z",
         Core::getSphericalCoordinatesFrom3DCoordinates({1, 1, 1}),
         {1.7320508f, 0.9553166f, 0.7853982f}},
        {"to spherical, -z",
         Core::getSphericalCoordinatesFrom3DCoordinates({1, 1, -1}),
         {1.7320508f, 0.9553166f, 5.4977875f}},
        {"from spherical, up",
         Core::get3DCoordinatesFromSphericalCoordinates(3, MathManager::PI / 2, 0),
         {0, 3, 0}},
        {"from spherical, +z",
         Core::get3DCoordinatesFromSphericalCoordinates(3, 0, MathManager::PI / 2),
         {0, 0, 3}}};
    for (const auto& [name, got, want] : rows)
        for (int i = 0; i < 3; i++)
            EXPECT_NEAR(got.data[i], want.data[i], 1e-6f) << name << ", element " << i;
}

TEST(MathManager, AnglesFoldIntoOneTurnCentredOnZeroAndParabolicSines) {
    // The upper end belongs to the next turn down; -540 reduces onto +180, which is outside.
    const float folds[][2] = {{179, 179}, {180, -180},  {190, -170}, {540, -180},
                              {539, 179}, {-180, -180}, {-181, 179}, {-539, -179},
                              {-540, 0},  {725, 5},     {-725, -5},  {NAN, 0}};
    for (const auto& [in, out] : folds)
        EXPECT_EQ(out, MathManager::getAngleIn180Range(in)) << in;
    const float pi = MathManager::PI;
    EXPECT_EQ(-pi, MathManager::getAngleInPiRange(pi));  // folds as the degrees do
    EXPECT_FLOAT_EQ(-1.0f, MathManager::fastSin(-pi / 2));
    EXPECT_FLOAT_EQ(0.5555555f, MathManager::fastSin(pi / 6));
    EXPECT_FLOAT_EQ(0.49999997f, MathManager::fastSinMorePrecise(pi / 6));
    EXPECT_NEAR(-3.0f, MathManager::fastCos(pi), 1e-5f);  // no wrap-around past pi/2
}

TEST(Utils, PrintingAndWarnings) {
    testing::internal::CaptureStdout();
    Utils::print(-42);
    Utils::print(L"|wide|");
    Utils::warningMessageToUser(std::string("careful\0ignored", 15));
    EXPECT_EQ("-42|wide|WARNING: careful\n", testing::internal::GetCapturedStdout());
}

TEST(Utils, StringsAndPaths) {
    // Bytewise: a byte above 0x7F is a signed char; characters outside ASCII, and NUL, drop.
    EXPECT_EQ((std::wstring{L'a', L'\0', wchar_t(char(0xC3))}),
              Utils::convertStringToWString(std::string("a\0\xC3", 3)));
    EXPECT_EQ("caf!b", Utils::convertWStringToString(std::wstring(L"caf\u00e9!\0b", 7)));
    const std::wstring longPath(Utils::MAX_PATH + 50, L'p');
    EXPECT_EQ(longPath.substr(0, 4095), Utils::getDirectoryFromFilePathStatic(longPath.c_str()));
    EXPECT_EQ("a\\b\\\\c", Utils::replaceSlashesByBackslashes("a/b//c"));
    EXPECT_EQ(std::filesystem::current_path().string(), Utils::getCurrentDirectory());
    EXPECT_EQ(std::filesystem::current_path().wstring(), Utils::getCurrentDirectoryStatic());
}

TEST(Utils, FilesAreReadInPiecesSizingKeepsThePositionAndWholeReadsClose) {
    std::string bytes("PNG\0\xFF\r\n\x1A tail of the file", 26);
    FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    unsigned char chunk[64];
    unsigned long nbRead = 0;
    ASSERT_TRUE(Utils::readFile(file, chunk, 10, &nbRead));
    EXPECT_EQ(nbRead, 10u);
    EXPECT_EQ(26u, Utils::getFileSize(file));
    EXPECT_TRUE(Utils::readFile(file, chunk, 64, &nbRead)) << "a short read at the end";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(chunk), nbRead), bytes.substr(10));
    FILE* writeOnly = fopen("/dev/null", "wb");  // cannot be read: false, count untouched
    EXPECT_FALSE(Utils::readFile(writeOnly, chunk, 10, &nbRead));
    EXPECT_EQ(nbRead, 16u) << "the count of the failed read";
    EXPECT_TRUE(Utils::closeFile(file));
    EXPECT_TRUE(Utils::closeFile(writeOnly));
    // A whole file read leaves no file open; an empty file gives an empty buffer.
    const auto openFiles = [] {
        const auto fds = std::filesystem::directory_iterator("/proc/self/fd");
        return std::distance(begin(fds), end(fds));
    };
    const auto before = openFiles();
    delete[] Utils::readFileIntoNewBuffer("/dev/null", &nbRead);
    EXPECT_EQ(nbRead, 0u);
    EXPECT_EQ(openFiles(), before) << "a file left open";
}

// The monotonic clock in milliseconds less the library's, read where no millisecond begins
// between two reads of the clock: the same all along if the library's follows it exactly.
long long millisecondsBehind() {
    for (timespec a, b;;) {
        clock_gettime(CLOCK_MONOTONIC, &a);
        const long ms = Utils::getMillisecond();
        clock_gettime(CLOCK_MONOTONIC, &b);
        if (a.tv_sec == b.tv_sec && a.tv_nsec / 1000000 == b.tv_nsec / 1000000)
            return a.tv_sec * 1000LL + a.tv_nsec / 1000000 - ms;
    }
}

// The microsecond counter starts at its first call within its first second (only this test
// reads it). A sleep lasts about as long as asked, and the library's milliseconds follow it
// across a whole second of the clock. Asleep, so not processor time.
TEST(Utils, SleepsLastAboutAsLongAsAskedAndTheMillisecondsFollowThem) {
    const long long firstUs = Utils::getMicrosecondTime();
    EXPECT_GE(firstUs, 0);
    EXPECT_LT(firstUs, 1000000);
    const long long behind = millisecondsBehind();
    const long startMs = Utils::getMillisecond();
    const auto start = std::chrono::steady_clock::now();
    Utils::sleepMs(1100);
    const auto slept = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
    EXPECT_GE(slept, 1100);
    EXPECT_LT(slept, 5000) << "overslept";
    EXPECT_GE(Utils::getMillisecond() - startMs, 1100);
    EXPECT_EQ(millisecondsBehind(), behind) << "the milliseconds drifted from the clock";
}

TEST(Utils, RandomValuesCoverTheirRange) {
    int seen = 0;  // a bit for each value drawn
    for (int i = 0; i < 2000; i++)
        seen |= 1 << Utils::random(6);
    EXPECT_EQ(0b111111, seen);
    for (int range : {1, 0, -7})
        EXPECT_EQ(Utils::random(range), 0) << "random(" << range << ")";
}

}  // namespace
