#include "wheeljob.h"

#ifdef __linux__
#    include <pthread.h>
#endif

namespace dezenario::wheel {

namespace {
// The search's threads by their name, as ps and /proc show them, apart from any Qt starts.
void nameThisThread()
{
#ifdef __linux__
    pthread_setname_np(pthread_self(), "fechamento");
#endif
}

// The chains' seeds depend on the problem alone.
std::uint64_t seedOf(const WheelProblem &problem, int chain)
{
    return (std::uint64_t(problem.chosen) << 24 | std::uint64_t(problem.perGame) << 16
            | std::uint64_t(problem.guarantee) << 8 | std::uint64_t(problem.condition))
            * 0x2545f4914f6cdd1dULL
            + std::uint64_t(chain);
}
constexpr int PartsOfARound = 64;
} // namespace

WheelJob::WheelJob(const WheelProblem &problem, std::int64_t effort, TableStart start)
    : m_problem(problem),
      m_floor(lowerBound(problem)),
      m_effort(effort),
      m_chains { SearchChain(problem, seedOf(problem, 0)),
                 SearchChain(problem, seedOf(problem, 1)) },
      m_start(std::move(start))
{
}

WheelJob::~WheelJob()
{
    m_closing = true;
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void WheelJob::start()
{
    if (m_running)
        return;
    if (const auto last = result(); last && last->games.size() <= m_floor)
        return;
    if (m_thread.joinable())
        m_thread.join();
    m_stop = false;
    m_running = true;
    const bool fromTable = m_start.exact && !m_start.games.empty();
    if (!fromTable)
        ++m_rounds;
    m_thread = std::thread([this, fromTable] {
        nameThisThread();
        if (!fromTable || !showStart())
            round(m_effort);
        m_running = false;
    });
}

void WheelJob::stop()
{
    m_stop = true;
}

bool WheelJob::showStart()
{
    auto found = std::make_shared<WheelResult>();
    found->games = std::move(m_start.games);
    m_start = {};
    for (SearchChain &chain : m_chains)
        chain.begin(found->games);
    m_checking = true;
    const auto check = checkGuarantee(m_problem, found->games, &m_closing);
    const bool holds = check && check->holds();
    if (holds)
        publish(std::move(found), check);
    m_checking = false;
    if (!holds)
        ++m_rounds; // searched on from it at once, as a round of its own
    return holds;
}

void WheelJob::publish(std::shared_ptr<WheelResult> found, std::optional<GuaranteeCheck> check)
{
    const auto odds = check ? oddsOf(m_problem, found->games, &m_closing) : std::nullopt;
    if (!odds)
        return;
    found->check = *check;
    found->odds = *odds;
    std::lock_guard lock(m_mutex);
    m_result = std::move(found);
}

void WheelJob::round(std::int64_t effort)
{
    if (!m_start.games.empty()) {
        for (SearchChain &chain : m_chains)
            chain.begin(m_start.games);
        m_start = {};
    }
    auto atFloor = [this](const SearchChain &chain) {
        return !chain.best().empty() && chain.best().size() <= m_floor;
    };
    for (int part = 0; part < PartsOfARound && !m_stop; ++part) {
        const std::int64_t share = effort / PartsOfARound + (part < effort % PartsOfARound);
        std::thread second([&] {
            nameThisThread();
            m_chains[1].run(share, m_floor, m_stop);
        });
        m_chains[0].run(share, m_floor, m_stop);
        second.join();
        if (atFloor(m_chains[0]) || atFloor(m_chains[1]))
            break;
    }
    const SearchChain &best =
            m_chains[1].best().size() < m_chains[0].best().size() ? m_chains[1] : m_chains[0];
    auto found = std::make_shared<WheelResult>();
    found->games = best.best();
    m_checking = true;
    // Stopped before the first wheel was whole: nothing to check, nothing to show.
    const auto check = found->games.empty() ? std::nullopt
                                            : checkGuarantee(m_problem, found->games, &m_closing);
    publish(std::move(found), check);
    m_checking = false;
}

WheelJob::Progress WheelJob::progress() const
{
    Progress now;
    const std::uint64_t a = m_chains[0].bestSize(), b = m_chains[1].bestSize();
    now.games = std::min(a, b) == ~std::uint64_t(0) ? 0 : std::min(a, b);
    now.floor = m_floor;
    now.spent = m_chains[0].spentSoFar() + m_chains[1].spentSoFar();
    now.effort = 2 * m_effort * m_rounds;
    now.running = m_running;
    now.checking = m_checking;
    if (const auto shown = result(); shown && m_rounds == 0) {
        now.fromTable = true;
        now.games = shown->games.size();
    }
    return now;
}

std::shared_ptr<const WheelResult> WheelJob::result() const
{
    std::lock_guard lock(m_mutex);
    return m_result;
}

} // namespace dezenario::wheel
