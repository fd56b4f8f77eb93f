#include "BackendTestSupport.h"

#include <stdexcept>
#include <thread>
#include <vector>

using namespace backendtest;

TEST(EventLoopGtk, RunsPostedWorkInOrderAndStopsRightAfterTheCallbackThatQuits)
{
    auto& loop = sharedPlatform().eventLoop();
    std::vector<int> order;
    loop.post([&] {
        order.push_back(1);
        loop.post([&] {
            order.push_back(4);
            loop.quit();
            loop.post([&] { order.push_back(7); });
            order.push_back(5); // the callback that quits still finishes
        });
        loop.post([&] { order.push_back(6); });
    });
    loop.post([&] { throw std::runtime_error("posted work failed on purpose"); });
    loop.post([&] { order.push_back(2); });
    std::thread([&] { loop.post([&] { order.push_back(3); }); }).join();
    EXPECT_TRUE(runLoop());
    EXPECT_EQ(order, (std::vector { 1, 2, 3, 4, 5 }));

    // What the quit left queued runs, in order, once the loop runs again.
    loop.post([&] { loop.quit(); });
    EXPECT_TRUE(runLoop());
    EXPECT_EQ(order, (std::vector { 1, 2, 3, 4, 5, 6, 7 }));
}

TEST(EventLoopGtk, AHandlerCanRunWhatIsPendingOrOneEventAndWaitForMore)
{
    auto& loop = sharedPlatform().eventLoop();
    std::vector<int> order;
    loop.post([&] {
        order.push_back(1);
        // GTK's own sources run too, not only posted work.
        runSoon([&] { order.push_back(2); });
        loop.runPending(std::chrono::milliseconds(0));
        order.push_back(3);

        // Work another thread posts while the handler waits is run too.
        std::thread poster([&] { loop.post([&] { order.push_back(4); }); });
        loop.runPending(std::chrono::milliseconds(300));
        poster.join();
        loop.runPending(std::chrono::milliseconds(0));

        runSoon([&] { order.push_back(5); });
        loop.runOne(false);
        order.push_back(6);

        // A quit ends the events run there, and the loop's run after this handler.
        loop.post([&] {
            order.push_back(7);
            loop.quit();
        });
        loop.post([&] { order.push_back(9); });
        loop.runPending(std::chrono::milliseconds(0));
        order.push_back(8);
    });
    EXPECT_TRUE(runLoop());
    EXPECT_EQ(order, (std::vector { 1, 2, 3, 4, 5, 6, 7, 8 }));
    EXPECT_TRUE(runUntil([&] { return order.size() == 9; }, "the work the quit left queued"));
}
