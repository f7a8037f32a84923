#ifndef TOVRIK_TESTS_CHILDPROCESS_H
#define TOVRIK_TESTS_CHILDPROCESS_H

#include <functional>
#include <string>

// What a function did when run in a child process: everything it wrote on standard output
// and how the process ended.
struct ChildResult {
    std::string output;
    bool exited = false;  // false when a signal ended it
    int status = -1;      // exit status, or the signal number
};

// Runs the function in a forked child whose standard output is captured. A function that
// returns ends the child with status 0, one that throws with kExceptionStatus. The library's fatal
// paths never return, so this is how their exact text and exit status are checked. The child
// inherits the parent's state.
ChildResult runInChild(const std::function<void()>& body);
// The status of a child whose function let an exception escape.
const int kExceptionStatus = 86;

// The line number of the first line of a library source file that contains the text, or
// 0. Paths are relative to the source tree.
int sourceLineContaining(const std::string& relativePath, const std::string& text);

#endif
