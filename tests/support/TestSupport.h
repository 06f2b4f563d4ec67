#pragma once
// Shared helpers of the test suites: exact exception checks, UTF-16 literals
// and temporary schema files.
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Templates/String.h>
#include <Palimo/Utils/StringConversion.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <typeinfo>

namespace PalimoTest {

using Palimo::WString;

inline WString W(const char* utf8) {
    return Palimo::Utils::stringToWstring(utf8);
}
inline std::string N(const WString& s) {
    return Palimo::Utils::wstringToString(s);
}

/// Runs `f` and checks that it throws exactly class E (not a subclass or a
/// base) with exactly `message`.
template <class E, class F>
::testing::AssertionResult throwsExactly(F&& f, const std::string& message) {
    try {
        f();
    } catch (const Palimo::Exceptions::BaseException& e) {
        if (typeid(e) != typeid(E))
            return ::testing::AssertionFailure() << "threw " << typeid(e).name() << " (" << e.what()
                                                 << "), expected " << typeid(E).name();
        if (N(e.message()) != message)
            return ::testing::AssertionFailure()
                   << "message\n  \"" << N(e.message()) << "\"\nexpected\n  \"" << message << "\"";
        return ::testing::AssertionSuccess();
    } catch (const std::exception& e) {
        return ::testing::AssertionFailure() << "threw std::exception: " << e.what();
    } catch (...) {
        return ::testing::AssertionFailure() << "threw an unknown exception";
    }
    return ::testing::AssertionFailure() << "threw nothing";
}

#define EXPECT_THROWS_EXACTLY(E, statement, message)                                               \
    EXPECT_TRUE(::PalimoTest::throwsExactly<E>([&] { statement; }, message))

/// A fresh directory under the system's temporary directory, removed with
/// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// Writes `content` to `relative` (creating sub-directories); returns the full path.
    std::filesystem::path write(const std::string& relative, const std::string& content) const;

private:
    std::filesystem::path path_;
};

/// A whole schema document around `body`, with the xs and ff prefixes and any
/// `extraAttributes` on the root.
std::string schema(const std::string& body, const std::string& extraAttributes = "");

/// The bytes of the file at `path`; throws std::runtime_error when it cannot be read.
std::string readFile(const std::filesystem::path& path);

/// The directory of the committed fixtures (tests/data).
std::filesystem::path dataDir();

#ifdef PALIMO_REGISTERS_SNAPSHOT
/// The register snapshot the tests that need one read (they skip when it is
/// absent): $PALIMO_REGISTERS_SNAPSHOT, else the build's default.
inline std::filesystem::path registersSnapshot() {
    const char* fromEnvironment = std::getenv("PALIMO_REGISTERS_SNAPSHOT");
    return fromEnvironment ? fromEnvironment : PALIMO_REGISTERS_SNAPSHOT;
}
#endif

} // namespace PalimoTest
