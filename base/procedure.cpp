#include "base/procedure.h"

#include "base/app_error.h"

#include <new>

namespace tw {

Procedure::Procedure(ErrorReporter& reporter, std::string label) : reporter_(reporter), label_(std::move(label)) {}

bool Procedure::run(int line, const std::function<void()>& statement) {
    while (!aborted_) {
        FailureRecord failure{0, {}, label_, line};
        try {
            statement();
            return true;
        } catch (const AppError& error) {
            failure.number = error.number();
            failure.description = error.what();
        } catch (const std::bad_alloc&) {
            failure.number = err::OutOfMemory;
            failure.description = ErrorDescription(err::OutOfMemory);
        } catch (const std::exception& error) {
            failure.number = err::InternalError;
            failure.description = error.what();
        }
        if (!reporter_.report(failure)) aborted_ = true;
    }
    return false;
}

}  // namespace tw
