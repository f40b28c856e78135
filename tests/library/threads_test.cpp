// Calls on separate buffers from many threads give the results of the same
// calls made one after another.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/library/host.h"
#include "tests/library/random_text.h"

namespace {

struct Request {
    std::string id;
    std::string text;
    int check;
};

struct Outcome {
    lumtest::EncodeResult encoded;
    lumtest::ValidateResult validated;
    int bounded;
    bool operator==(const Outcome&) const = default;
};

Outcome RunAll(const Request& r)
{
    Outcome o;
    o.encoded = lumtest::Encode(r.text, r.id, r.check != 0);
    o.validated = lumtest::Validate(r.text, r.id, r.check != 0);
    char small[8];
    o.bounded = lumtest::Library().encodeBuf(r.text.c_str(), r.id.c_str(), r.check, small, int(sizeof small));
    return o;
}

TEST(LumdllThreads, ConcurrentCallsGiveTheSerialResults)
{
    LUMTEST_REQUIRE_LIBRARY();
    lumtest::RandomText random(77);
    std::vector<Request> requests;
    for (const std::string& id : lumtest::Identifiers())
        for (std::size_t kind = 0; kind < lumtest::RandomText::Kinds(); ++kind) {
            // Lower-case identifiers too: each call upper-cases its own copy.
            std::string lower = id;
            for (char& c : lower)
                c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
            const std::size_t length = random.Below(40);
            requests.push_back({kind % 2 ? lower : id, random.Shaped(kind, length), int(kind % 2)});
            requests.push_back({id, random.Shaped(kind, length), int(1 - kind % 2)});
        }

    std::vector<Outcome> serial;
    for (const Request& r : requests)
        serial.push_back(RunAll(r));

    constexpr std::size_t kThreads = 8;
    constexpr std::size_t kRounds = 3;
    // Per thread: how many calls differed from the serial result, and the first one.
    std::vector<std::size_t> mismatches(kThreads, 0);
    std::vector<std::size_t> firstMismatch(kThreads, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            // Each thread starts at a different request so that different
            // identifiers run at the same moment.
            for (std::size_t round = 0; round < kRounds; ++round)
                for (std::size_t i = 0; i < requests.size(); ++i) {
                    const std::size_t j = (i + t * requests.size() / kThreads) % requests.size();
                    if (!(RunAll(requests[j]) == serial[j]) && mismatches[t]++ == 0)
                        firstMismatch[t] = j;
                }
        });
    for (std::thread& thread : threads)
        thread.join();

    for (std::size_t t = 0; t < kThreads; ++t) {
        const Request& r = requests[firstMismatch[t]];
        EXPECT_EQ(mismatches[t], 0u) << "thread " << t << ", first: " << r.id << " check=" << r.check << " \""
                                     << lumtest::Printable(r.text) << "\"";
    }
    std::size_t encodedSomething = 0;
    for (const Outcome& o : serial)
        encodedSomething += o.encoded.returned > 0;
    EXPECT_GT(encodedSomething, 0u) << "the requests must reach an encoder";
}

} // namespace
