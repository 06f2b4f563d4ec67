#include <Palimo/Templates/SharedPtr.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Palimo::Templates::SharedPtr;

namespace {
struct Tracked {
    explicit Tracked(int& alive) : alive_(alive) { ++alive_; }
    ~Tracked() { --alive_; }
    int& alive_;
};
} // namespace

TEST(SharedPtr, CountsSharesAndDeletesWithTheLastOwner) {
    int alive = 0;
    {
        SharedPtr<Tracked> a(new Tracked(alive));
        EXPECT_EQ(a.useCount(), 1);
        SharedPtr<Tracked> b = a;
        SharedPtr<Tracked> c;
        c = b;
        EXPECT_EQ(a.useCount(), 3);
        SharedPtr<Tracked> d = std::move(c);
        EXPECT_EQ(a.useCount(), 3);
        EXPECT_EQ(c.useCount(), 0);
        b.reset();
        EXPECT_EQ(a.useCount(), 2);
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
}

TEST(SharedPtr, ConcurrentCopiesKeepAnExactCount) {
    int alive = 0;
    SharedPtr<Tracked> shared(new Tracked(alive));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&shared] {
            for (int i = 0; i < 10000; ++i) {
                SharedPtr<Tracked> copy(shared);
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(shared.useCount(), 1);
    shared.reset();
    EXPECT_EQ(alive, 0);
}
