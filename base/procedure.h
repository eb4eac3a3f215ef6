#pragma once
// The way every command reports an unexpected failure: it runs as numbered
// statements under a fixed label; a statement that throws stops there and the
// failure is shown in the bug report, where "Retry" runs that statement again
// and "Abort" leaves the procedure without its later statements. Failures a
// procedure expects are caught inside its statements and never get here.

#include "base/bug_frm.h"

#include <functional>
#include <string>

namespace tw {

class Procedure {
public:
    Procedure(ErrorReporter& reporter, std::string label);

    // Runs the statement numbered `line` unless the procedure was abandoned.
    // False once the user has chosen Abort.
    bool run(int line, const std::function<void()>& statement);
    bool aborted() const { return aborted_; }

private:
    ErrorReporter& reporter_;
    std::string label_;
    bool aborted_ = false;
};

}  // namespace tw
