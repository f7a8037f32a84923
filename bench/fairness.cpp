// Rolls each die type through the dice roller's own key path (one-die mode: every press
// may reseed, then replaces the heap by one freshly rolled die), then prints per type the
// chi-square p-value of the face counts, the longest run of one face and the longest
// stretch that repeats the stretch just before it (a loop in the generator shows there).
//   fairness [rolls per type]   (default 1,000,000; needs a display)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "MainClass.h"

struct RollerProbe {
    static int face(MainClass& app) { return app.dicesStack.at(0).second; }
};

namespace {

// Periods searched for repeated stretches: the roller reseeds about every 100 presses.
constexpr int MAX_PERIOD = 500;

// Q(a, x), the upper regularised incomplete gamma function: the series below a + 1, the
// continued fraction above.
double gammaQ(double a, double x) {
    const double front = std::exp(-x + a * std::log(x) - std::lgamma(a));
    if (x < a + 1) {
        double term = 1 / a;
        double sum = term;
        for (int n = 1; n < 10000 && term > sum * 1e-16; n++) {
            term *= x / (a + n);
            sum += term;
        }
        return 1 - sum * front;
    }
    const double tiny = 1e-300;
    double b = x + 1 - a, c = 1 / tiny, d = 1 / b, h = d;
    for (int i = 1; i < 10000; i++) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        d = 1 / (std::fabs(d) < tiny ? tiny : d);
        c = b + an / c;
        c = std::fabs(c) < tiny ? tiny : c;
        h *= d * c;
        if (std::fabs(d * c - 1) < 1e-16)
            break;
    }
    return front * h;
}

}  // namespace

int main(int argc, char** argv) {
    const long rolls = argc > 1 ? std::atol(argv[1]) : 1000000;
    MainClass app(argv[0]);
    const std::pair<int, int> types[] = {{4, '4'},  {6, '6'},  {8, '8'},
                                         {10, '0'}, {12, '1'}, {20, '2'}};
    std::printf("%-5s %9s %10s %9s %10s %14s\n", "die", "rolls", "chi-square", "p-value",
                "same face", "repeat (period)");
    for (const auto& [faces, key] : types) {
        std::vector<unsigned char> seq(rolls);
        std::vector<long> counts(faces, 0);
        for (long i = 0; i < rolls; i++) {
            app.onKeyPressed(key);
            seq[i] = static_cast<unsigned char>(RollerProbe::face(app));
            counts[seq[i]]++;
        }
        const double expected = double(rolls) / faces;
        double chi2 = 0;
        for (long c : counts)
            chi2 += (c - expected) * (c - expected) / expected;
        long sameFace = 1, run = 1;
        for (long i = 1; i < rolls; i++) {
            run = seq[i] == seq[i - 1] ? run + 1 : 1;
            sameFace = std::max(sameFace, run);
        }
        long repeat = 0, period = 0;
        for (int p = 1; p <= MAX_PERIOD; p++) {
            run = 0;
            for (long i = p; i < rolls; i++) {
                run = seq[i] == seq[i - p] ? run + 1 : 0;
                if (run > repeat) {
                    repeat = run;
                    period = p;
                }
            }
        }
        std::printf("d%-4d %9ld %10.2f %9.4f %10ld %9ld (%ld)\n", faces, rolls, chi2,
                    gammaQ((faces - 1) / 2.0, chi2 / 2), sameFace, repeat, period);
    }
    app.onKeyPressed(27);
    return 0;
}
