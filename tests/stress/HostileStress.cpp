// Hostile and unusual schemas against bounds of time and peak memory: each
// case is written to a temporary directory and loaded in a child process of
// its own, whose CPU time and peak resident set the parent reads from the
// kernel (wait4). Not a unit test: it measures, and fails when a load leaves
// its bounds or ends otherwise than expected. Prints one line per case and
// "N passed, M failed" at the end; exits non-zero when a case failed.
//
// hostile_stress [--list] [NAME...]   (no names: every case)
#include "ChildRun.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Utils/StringConversion.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include <pthread.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char kRoot[] = "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                     "xmlns:ff=\"urn:SMPTE:MXF:file_format\"";

std::string repeated(const std::string& text, std::size_t count) {
    std::string out;
    out.reserve(text.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        out += text;
    return out;
}

void write(const fs::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string element(const std::string& name, const std::string& annotations) {
    return "<xs:element name=\"" + name +
           "\" type=\"UInt8\"><xs:annotation>"
           "<xs:appinfo source=\"RP210\"/>" +
           annotations + "</xs:annotation></xs:element>";
}

std::string appinfo(const std::string& source, const std::string& text) {
    return "<xs:appinfo source=\"" + source + "\">" + text + "</xs:appinfo>";
}

const char kLabel[] = "06.0e.2b.34.01.01.01.02.03.01.02.01.04.00.00.00";
const char kFileFormat[] = "urn:SMPTE:MXF:file_format";

std::string goodElement(const std::string& extra = "") {
    return element("E", appinfo("UL Designator", kLabel) + appinfo("XMLNamespaceURI", kFileFormat) +
                            extra);
}

// An entity of `length` characters referenced `count` times, in text or in
// an attribute value.
std::string entityFile(std::size_t length, std::size_t count, bool inAttribute) {
    const std::string references = repeated("&big;", count);
    return "<!DOCTYPE xs:schema [<!ENTITY big \"" + std::string(length, 'a') + "\">]>\n" + kRoot +
           ">" +
           (inAttribute ? "<xs:element name=\"x\" a=\"" + references + "\"/>"
                        : "<xs:annotation><xs:documentation>" + references +
                              "</xs:documentation></xs:annotation>") +
           "</xs:schema>";
}

struct Case {
    const char* name;
    std::function<void(const fs::path& dir)> write;
    // The class name (or "loaded") and the start of the message that end it.
    const char* outcome;
    const char* messageStart;
    double cpuSeconds;          // bound on the child's CPU time
    long peakMiB;               // bound on the child's peak resident set
    std::size_t stackBytes = 0; // load on a thread with this stack (0: main thread)
};

std::vector<Case> cases() {
    std::vector<Case> all;
    all.push_back({"appinfo-100000-sources",
                   [](const fs::path& dir) {
                       std::string facts;
                       for (int i = 0; i < 100000; ++i)
                           facts += appinfo("s" + std::to_string(i), "t");
                       write(dir / "main.xsd",
                             std::string(kRoot) + ">" + goodElement(facts) + "</xs:schema>");
                   },
                   "loaded", "1 elements", 20, 700});
    all.push_back({"xmlns-100000-on-included-root",
                   [](const fs::path& dir) {
                       std::string declarations;
                       for (int i = 0; i < 100000; ++i)
                           declarations += " xmlns:p" + std::to_string(i) + "=\"urn:p\"";
                       write(dir / "main.xsd", std::string(kRoot) +
                                                   "><xs:include schemaLocation=\"inc.xsd\"/>"
                                                   "</xs:schema>");
                       write(dir / "inc.xsd", std::string(kRoot) + declarations + "/>");
                   },
                   "ParseError", "Schema file \"", 2, 100});
    all.push_back({"xmlns-100000-on-top-root",
                   [](const fs::path& dir) {
                       std::string declarations;
                       for (int i = 0; i < 100000; ++i)
                           declarations += " xmlns:p" + std::to_string(i) + "=\"urn:p\"";
                       write(dir / "main.xsd", std::string(kRoot) + declarations + "/>");
                   },
                   "ParseError", "Schema file \"", 2, 100});
    all.push_back({"10000-included-files-one-prefix-each",
                   [](const fs::path& dir) {
                       std::string includes;
                       for (int i = 0; i < 10000; ++i) {
                           const std::string n = std::to_string(i);
                           includes += "<xs:include schemaLocation=\"f" + n + ".xsd\"/>";
                           write(dir / ("f" + n + ".xsd"),
                                 std::string(kRoot) + " xmlns:p" + n + "=\"urn:p" + n + "\"/>");
                       }
                       write(dir / "main.xsd",
                             std::string(kRoot) + ">" + includes + goodElement() + "</xs:schema>");
                   },
                   "loaded", "1 elements", 30, 400});
    all.push_back(
        {"entity-100000-chars-10000-references",
         [](const fs::path& dir) { write(dir / "main.xsd", entityFile(100000, 10000, false)); },
         "ParseError", "Schema file \"", 2, 100});
    all.push_back(
        {"entity-100000-chars-10000-references-in-attribute",
         [](const fs::path& dir) { write(dir / "main.xsd", entityFile(100000, 10000, true)); },
         "ParseError", "Schema file \"", 2, 100});
    all.push_back({"entity-within-budget",
                   [](const fs::path& dir) {
                       // 16 characters per byte of the file allow these.
                       write(dir / "main.xsd", entityFile(1000, 10, false));
                   },
                   "loaded", "0 elements", 2, 100});
    all.push_back({"sparse-2-GiB-file",
                   [](const fs::path& dir) {
                       write(dir / "main.xsd", "");
                       fs::resize_file(dir / "main.xsd", 2ull << 30);
                   },
                   "ParseError", "Schema file \"", 1, 64});
    all.push_back({"sparse-64-GiB-file",
                   [](const fs::path& dir) {
                       write(dir / "main.xsd", "");
                       fs::resize_file(dir / "main.xsd", 64ull << 30);
                   },
                   "ParseError", "Schema file \"", 1, 64});
    const auto chain = [](std::size_t length) {
        return [length](const fs::path& dir) {
            for (std::size_t i = 0; i < length; ++i)
                write(dir / ("c" + std::to_string(i) + ".xsd"),
                      std::string(kRoot) + "><xs:include schemaLocation=\"c" +
                          std::to_string(i + 1) + ".xsd\"/></xs:schema>");
            write(dir / ("c" + std::to_string(length) + ".xsd"),
                  std::string(kRoot) + ">" + goodElement() + "</xs:schema>");
            write(dir / "main.xsd",
                  std::string(kRoot) + "><xs:include schemaLocation=\"c0.xsd\"/></xs:schema>");
        };
    };
    all.push_back({"include-chain-30000", chain(30000), "ParseError", "Schema file \"", 20, 200});
    all.push_back({"include-chain-999-on-512-KiB-stack", chain(998), "loaded", "1 elements", 10,
                   200, 512 * 1024});
    all.push_back({"designator-of-1-MB",
                   [](const fs::path& dir) {
                       write(dir / "main.xsd",
                             std::string(kRoot) + ">" +
                                 element("E", appinfo("UL Designator", std::string(1 << 20, '0'))) +
                                 "</xs:schema>");
                   },
                   "InvalidULDesignator", "0000", 2, 150});
    all.push_back({"local-tag-of-1-MB",
                   [](const fs::path& dir) {
                       write(dir / "main.xsd",
                             std::string(kRoot) + ">" +
                                 goodElement(appinfo("Local Tag", std::string(1 << 20, '0'))) +
                                 "</xs:schema>");
                   },
                   "InvalidStringRepresentation", "Invalid local tag text", 2, 150});
    all.push_back(
        {"namespace-uri-of-1-MB",
         [](const fs::path& dir) {
             write(dir / "main.xsd",
                   std::string(kRoot) + ">" +
                       element("E", appinfo("UL Designator", kLabel) +
                                        appinfo("XMLNamespaceURI", std::string(1 << 20, 'u'))) +
                       "</xs:schema>");
         },
         "ParseError", "it != namespace2PrefixMap_.end ()", 2, 150});
    return all;
}

// What the child reports through its pipe: "<outcome>\n<message>".
std::string loadInChild(const fs::path& top, std::size_t stackBytes) {
    std::string report;
    const auto load = [&] {
        Palimo::MetaMetadata::Dictionary dictionary;
        try {
            Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
            loader.load(Palimo::Utils::stringToWstring(top.string()).c_str(), dictionary);
            report = "loaded\n" + std::to_string(dictionary.metaElementCount()) + " elements";
        } catch (const Palimo::Exceptions::BaseException& e) {
            std::string name = typeid(e).name();
            // The class name without its namespaces: the mangled form ends in it.
            while (!name.empty() && (name.back() == 'E'))
                name.pop_back();
            std::size_t start = name.size();
            while (start > 0 && !std::isdigit(static_cast<unsigned char>(name[start - 1])))
                --start;
            report = name.substr(start) + "\n" + Palimo::Utils::wstringToString(e.message());
        } catch (const std::exception& e) {
            report = std::string("std::exception\n") + e.what();
        }
    };
    if (stackBytes == 0) {
        load();
        return report;
    }
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    pthread_t thread;
    auto* work = new std::function<void()>(load);
    if (pthread_create(
            &thread, &attributes,
            [](void* argument) -> void* {
                (*static_cast<std::function<void()>*>(argument))();
                return nullptr;
            },
            work) != 0)
        return "std::exception\npthread_create failed";
    pthread_join(thread, nullptr);
    delete work;
    pthread_attr_destroy(&attributes);
    return report;
}

bool run(const Case& c) {
    const fs::path dir =
        fs::temp_directory_path() / ("palimo-stress-" + std::to_string(::getpid()) + "-" + c.name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    c.write(dir);

    const Stress::ChildRun child =
        Stress::runInChild([&] { return loadInChild(dir / "main.xsd", c.stackBytes); });
    fs::remove_all(dir);
    const std::string& report = child.report;
    const double cpu = child.cpuSeconds;
    const double wall = child.wallSeconds;
    const long peakMiB = child.peakMiB;
    const std::size_t newline = report.find('\n');
    const std::string outcome = report.substr(0, newline);
    const std::string message = newline == std::string::npos ? "" : report.substr(newline + 1);
    std::string problem;
    if (!child.exitedCleanly())
        problem = "child ended with status " + std::to_string(child.status);
    else if (outcome != c.outcome || message.rfind(c.messageStart, 0) != 0)
        problem = "expected " + std::string(c.outcome) + " \"" + c.messageStart + "...\"";
    else if (cpu > c.cpuSeconds)
        problem = "CPU time above " + std::to_string(c.cpuSeconds) + " s";
    else if (peakMiB > c.peakMiB)
        problem = "peak memory above " + std::to_string(c.peakMiB) + " MiB";
    std::printf("%-52s %-6s cpu %7.2f s  wall %7.2f s  peak %5ld MiB  %s: %.160s%s\n", c.name,
                problem.empty() ? "ok" : "FAILED", cpu, wall, peakMiB, outcome.c_str(),
                message.c_str(), problem.empty() ? "" : ("\n    " + problem).c_str());
    std::fflush(stdout);
    return problem.empty();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> names(argv + 1, argv + argc);
    const std::vector<Case> all = cases();
    return Stress::runSelected(names, all, run);
}
