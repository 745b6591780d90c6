// Tests of the solver start: the question, the check loop's warnings with Retry and
// Cancel, and the order of closing the table and starting the process, driven by a
// scripted user and a pretend system that writes down every call.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

#include "launch/solver_launch.h"

namespace {

struct FakeSystem {
    bool table = false;
    // One entry per question asked of the system, taken in order; the last one repeats.
    std::deque<bool> searchBusy = {false};
    std::deque<bool> solverEnded = {false};
    std::deque<SolverAnswer> answers;
    bool startWorks = true;
    int held = 0, mostHeld = 0;  // solvers whose handles the system holds
    std::string log;

    template <typename T>
    static T next(std::deque<T>& values)
    {
        const T value = values.front();
        if (values.size() > 1) values.pop_front();
        return value;
    }
};

FakeSystem& fake(void* context) { return *static_cast<FakeSystem*>(context); }

const char* noticeName(SolverNotice notice)
{
    switch (notice) {
    case SolverNotice::askReplaceTable: return "ask";
    case SolverNotice::filterSearchRunning: return "search";
    case SolverNotice::solverStillRunning: return "running";
    case SolverNotice::started: return "started";
    case SolverNotice::startFailed: return "failed";
    }
    return "?";
}

SolverLaunchPlatform platformOf(FakeSystem& system)
{
    return {
        &system,
        [](void* c) { return fake(c).table; },
        [](void* c) {
            fake(c).log += "s";
            return FakeSystem::next(fake(c).searchBusy);
        },
        [](void* c) {
            fake(c).log += "e";
            return FakeSystem::next(fake(c).solverEnded);
        },
        [](void* c, SolverNotice notice) {
            FakeSystem& f = fake(c);
            f.log += std::string(" [") + noticeName(notice) + "] ";
            if (f.answers.empty()) {
                ADD_FAILURE() << "unexpected box " << noticeName(notice);
                return SolverAnswer::cancel;
            }
            const SolverAnswer answer = f.answers.front();
            f.answers.pop_front();
            return answer;
        },
        [](void* c) { fake(c).log += "close "; },
        [](void* c) {
            FakeSystem& f = fake(c);
            f.log += "create";
            if (f.startWorks) f.mostHeld = std::max(f.mostHeld, ++f.held);
            return f.startWorks;
        },
        [](void* c) {
            fake(c).log += "r";
            fake(c).held--;
        },
    };
}

struct Outcome {
    std::string log;
    int solverRunning;
};

Outcome run(FakeSystem system, int unconditional, int solverRunning)
{
    startSolverWith(unconditional, solverRunning, platformOf(system));
    EXPECT_TRUE(system.answers.empty()) << "boxes expected but not shown: " << system.answers.size();
    return {system.log, solverRunning};
}

using A = SolverAnswer;

TEST(SolverLaunch, TheQuestionComesOnlyFromTheMenuAndOnlyWithATable)
{
    FakeSystem noTable;
    noTable.answers = {A::ok};
    EXPECT_EQ(run(noTable, 0, 0).log, "sclose create [started] ");

    FakeSystem table;
    table.table = true;
    table.answers = {A::ok, A::ok};
    EXPECT_EQ(run(table, 0, 0).log, " [ask] sclose create [started] ");

    // Start-up without a table and the unconditional form in general ask nothing.
    FakeSystem unconditional = table;
    unconditional.answers = {A::ok};
    const Outcome started = run(unconditional, 1, 0);
    EXPECT_EQ(started.log, "sclose create [started] ");
    EXPECT_EQ(started.solverRunning, 1);
}

TEST(SolverLaunch, CancellingTheQuestionChangesNothing)
{
    FakeSystem system;
    system.table = true;
    system.answers = {A::cancel};
    // Neither the checks, nor closing the table, nor a process.
    const Outcome cancelled = run(system, 0, 0);
    EXPECT_EQ(cancelled.log, " [ask] ");
    EXPECT_EQ(cancelled.solverRunning, 0);
}

TEST(SolverLaunch, ARunningFilterSearchWarnsAndRetryRepeatsBothChecks)
{
    FakeSystem system;
    system.searchBusy = {true, true, false};
    system.solverEnded = {false, false, true};
    system.answers = {A::retry, A::retry, A::retry, A::retry, A::ok};
    // Each pass asks the search and then the solver; the solver has ended at the third.
    const Outcome r = run(system, 1, 1);
    EXPECT_EQ(r.log,
              "s [search] e [running] "
              "s [search] e [running] "
              "serclose create [started] ");
    EXPECT_EQ(r.solverRunning, 1);
}

TEST(SolverLaunch, CancelOnEitherWarningEndsWithoutClosingTheTable)
{
    FakeSystem search;
    search.searchBusy = {true};
    search.answers = {A::cancel};
    EXPECT_EQ(run(search, 1, 0).log, "s [search] ");

    FakeSystem solver;
    solver.answers = {A::cancel};
    const Outcome r = run(solver, 1, 1);
    EXPECT_EQ(r.log, "se [running] ");
    EXPECT_EQ(r.solverRunning, 1);

    // A box closed without a button counts as Cancel too.
    FakeSystem closed;
    closed.searchBusy = {true};
    closed.answers = {A::ok};
    EXPECT_EQ(run(closed, 1, 0).log, "s [search] ");
}

TEST(SolverLaunch, AnEndedSolverIsClearedAndANewOneStarted)
{
    FakeSystem system;
    system.solverEnded = {true};
    system.answers = {A::ok};
    const Outcome r = run(system, 0, 1);
    EXPECT_EQ(r.log, "serclose create [started] ");
    EXPECT_EQ(r.solverRunning, 1);

    // Without a started solver nobody asks about one.
    FakeSystem idle;
    idle.answers = {A::ok};
    EXPECT_EQ(run(idle, 0, 0).log, "sclose create [started] ");
}

TEST(SolverLaunch, RepeatedStartsHoldOneSolverAtATime)
{
    // Started, ended, started again, then a start cancelled while that one runs: the
    // first solver is let go before the second is made, the running one is kept.
    FakeSystem system;
    system.solverEnded = {true, false};
    system.answers = {A::ok, A::ok, A::cancel};
    int solverRunning = 0;
    const SolverLaunchPlatform platform = platformOf(system);
    for (int start = 0; start < 3; start++) startSolverWith(1, solverRunning, platform);
    EXPECT_EQ(system.log, "sclose create [started] serclose create [started] se [running] ");
    EXPECT_EQ(system.held, 1);
    EXPECT_EQ(system.mostHeld, 1);
    EXPECT_EQ(solverRunning, 1);
}

TEST(SolverLaunch, AFailedStartSaysSoAndKeepsTheFlag)
{
    FakeSystem system;
    system.startWorks = false;
    system.answers = {A::ok};
    const Outcome r = run(system, 1, 0);
    // The table was closed all the same; the next load opens it anew.
    EXPECT_EQ(r.log, "sclose create [failed] ");
    EXPECT_EQ(r.solverRunning, 0);
}

TEST(SolverLaunch, DecisionsOnTheSearchAndTheExitCode)
{
    EXPECT_FALSE(filterSearchBlocks(1, 0));
    EXPECT_TRUE(filterSearchBlocks(0, 0));  // not yet reported idle
    EXPECT_TRUE(filterSearchBlocks(1, 1));  // still holds the table
    EXPECT_TRUE(filterSearchBlocks(0, 1));

    EXPECT_TRUE(solverHasEnded(true, 0));
    EXPECT_TRUE(solverHasEnded(true, 1));
    EXPECT_FALSE(solverHasEnded(true, 259));
    EXPECT_FALSE(solverHasEnded(false, 0));  // the question failed: still running
}

}  // namespace
