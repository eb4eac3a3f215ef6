#include "engine/hive_error.h"

namespace tw::hive_error {

const char* Description(int32_t code) {
    switch (code) {
        case InvalidIndex: return "Invalid Index.";
        case KeyNotFound: return "Key not Found in the Hive.";
        case IntegerKey: return "Key cannot be Integer or Long or Byte or any kind of Fixed Digit.";
        case DuplicateKey: return "Duplicate Key.";
        case InvalidParameter: return "Invalid Parameter.";
        default: return "";
    }
}

}  // namespace tw::hive_error
