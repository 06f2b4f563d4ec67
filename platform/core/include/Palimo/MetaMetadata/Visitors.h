#pragma once
// Visitors that pick an element out when it is of class T (or derives from it).
#include <Palimo/MetaMetadata/MetaElement.h>

#include <type_traits>

namespace Palimo {
namespace MetaMetadata {

/// Records the visited element when it is a T; result() is null otherwise.
template <class T>
class GetMetaElementVisitor : public ConstMetaElementVisitor {
public:
    void visit(const MetaSimpleElement& e) override { take(e); }
    void visit(const MetaCollection& e) override { take(e); }
    void visit(const MetaReferenceElement& e) override { take(e); }
    void visit(const MetaReferenceCollection& e) override { take(e); }
    const T* result() const { return result_; }

private:
    template <class U>
    void take(const U& e) {
        if constexpr (std::is_base_of_v<T, U>)
            result_ = &e;
        else
            result_ = nullptr;
    }
    const T* result_ = nullptr;
};

/// Non-const form of GetMetaElementVisitor.
template <class T>
class GetNonConstMetaElementVisitor : public MetaElementVisitor {
public:
    void visit(MetaSimpleElement& e) override { take(e); }
    void visit(MetaCollection& e) override { take(e); }
    void visit(MetaReferenceElement& e) override { take(e); }
    void visit(MetaReferenceCollection& e) override { take(e); }
    T* result() const { return result_; }

private:
    template <class U>
    void take(U& e) {
        if constexpr (std::is_base_of_v<T, U>)
            result_ = &e;
        else
            result_ = nullptr;
    }
    T* result_ = nullptr;
};

} // namespace MetaMetadata
} // namespace Palimo
