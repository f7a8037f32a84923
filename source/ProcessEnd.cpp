#include "ProcessEnd.h"

#include <cstdlib>

namespace Utils {

void endProcessWithFailure() {
    std::exit(1);
}

}  // namespace Utils
