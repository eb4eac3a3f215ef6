#pragma once
// Globally unique identifiers as text.

#include <string>

namespace tw {

// A random (version 4) UUID in its 38-character braced upper-case form,
// "{XXXXXXXX-XXXX-4XXX-YXXX-XXXXXXXXXXXX}"; empty text when the system has no
// random source to seed from. The generator is seeded once per thread.
std::string NewGuidText();

}  // namespace tw
