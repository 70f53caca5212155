#pragma once

#include "guarantee.h"
#include "odds.h"
#include "searchchain.h"
#include "wheeltable.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace dezenario::wheel {

// A wheel found, its guarantee checked apart from the search, and its odds.
struct WheelResult
{
    std::vector<Mask> games;
    GuaranteeCheck check;
    WheelOdds odds;
};

// The search for a wheel as a job of its own, on a thread of its own: two chains of their own
// seeds, one on each core, each given the same effort a round. The chains meet after every part
// of the round, so that a chain that reaches the lower bound ends the round at a place that does
// not depend on the machine's speed; of the two, the smaller wheel wins, the first chain's on a
// tie. So the same problem and effort give the same games everywhere. The job never touches a
// window: the window asks for its progress and its result.
class WheelJob
{
public:
    // The effort a round spends in each chain, in units of work: some 25 million a second on
    // one core of this machine.
    static constexpr std::int64_t DefaultEffort = 600'000'000;

    // From a wheel of the table, if given: the very problem's is checked and shown by the first
    // round, with no search, and searched on from by the next; a covering for m > t is where the
    // first round's search starts. A wheel that fails its check is never shown: the search
    // starts from it and serves what it leaves unserved.
    explicit WheelJob(const WheelProblem &problem, std::int64_t effort = DefaultEffort,
                      TableStart start = {});
    ~WheelJob(); // stops the round and waits for its thread

    // A round of effort more, from where the last one ended; nothing while one runs, or once the
    // wheel is as small as the lower bound.
    void start();
    // Asks the round to end soon; its best wheel is kept, checked and shown.
    void stop();

    struct Progress
    {
        std::uint64_t games = 0; // of the best wheel so far; 0 before the first
        std::uint64_t floor = 0; // the lower bound
        std::int64_t spent = 0, effort = 0; // both chains, all rounds
        bool running = false;
        bool checking = false; // the search is over, the guarantee and the odds are being counted
        bool fromTable = false; // the wheel shown is the table's, not yet searched on from
    };
    Progress progress() const;
    // The wheel of the last round that ended, checked; none before.
    std::shared_ptr<const WheelResult> result() const;
    const WheelProblem &problem() const { return m_problem; }

private:
    void round(std::int64_t effort);
    bool showStart(); // false when the table's wheel fails its check
    void publish(std::shared_ptr<WheelResult> found, std::optional<GuaranteeCheck> check);

    WheelProblem m_problem;
    std::uint64_t m_floor;
    std::int64_t m_effort;
    SearchChain m_chains[2];
    std::thread m_thread;
    std::atomic<bool> m_stop { false }, m_closing { false }, m_running { false },
            m_checking { false };
    TableStart m_start; // until the first round
    std::atomic<std::int64_t> m_rounds { 0 }; // of search
    mutable std::mutex m_mutex;
    std::shared_ptr<const WheelResult> m_result;
};

} // namespace dezenario::wheel
