#pragma once

namespace Palimo {

/// Process-wide set-up of the core library. instance() is thread-safe; the
/// library is ready once it returns.
class Initializer {
public:
    static Initializer& instance();
    Initializer(const Initializer&) = delete;
    Initializer& operator=(const Initializer&) = delete;

private:
    Initializer();
};

} // namespace Palimo
