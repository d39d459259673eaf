// A long run of link faults, in seeded random order, between the real session controller and
// the stand-in chair on the manual clock. After every fault the remote must be back within
// the retry back-off's bound, have written the link-up frame once per new link and heard the
// chair's answer to it, hold one client and one connection, and never have written over a
// link that had ended.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <iostream>
#include <random>
#include <sstream>

#include "base/Log.h"
#include "link/RetryBackoff.h"
#include "tests/chair/ChairRig.h"

namespace {

using chairlink::Bytes;
using chairlink::RetryBackoff;

constexpr int kFaults = 1000;
// The order of the faults; LINK_SOAK_SEED runs another one.
constexpr std::uint64_t kDefaultSeed = 0x50a4c0ffee;

// A refused connection is a failed one to the remote, and a link dropped after a command was
// taken is a dropped link; the stand-in's central tests refusing.
enum class Fault {
    FailedConnect,
    FailedServices,
    FailedCharacteristics,
    DropOnLinkUp,
    DropInUpload,
    NotificationsStop,
    AdapterOff,
    LateAnswer
};
constexpr const char* kNames[] = {"failed connections",
                                  "failed service discovery",
                                  "failed characteristic discovery",
                                  "drop during the link-up write",
                                  "drop during an upload",
                                  "notifications stop",
                                  "adapter off and on",
                                  "late answer"};

// The longest the remote may take to come back after `failures` failed attempts in a row
// that follow a good link: the sum of the back-off's waits for them.
double backoffBound(int failures) {
    double total = 0, wait = RetryBackoff::kFirstWaitSeconds;
    for (int i = 0; i < failures; ++i, wait = std::min(wait * 2, RetryBackoff::kLongestWaitSeconds))
        total += wait;
    return total;
}

// Counts the writes the chair takes (on the chair's queue) and drops the link during the one
// it is armed for: the next link-up frame (dropAt 0) or the update piece numbered dropAt.
struct WriteTrap {
    std::atomic<int> linkUps{0};
    std::atomic<int> pieces{0};  // update data: everything that is not a command-sized frame
    std::atomic<int> dropAt{-1};

    void written(const Bytes& value, chair::StandInChair& chair) {
        const bool linkUp = value == chairtest::kLinkUp;
        linkUps += linkUp;
        const int piece = value.size() != chairlink::kShortFrameLength ? ++pieces : 0;
        if (dropAt < 0 || (dropAt > 0 ? piece != dropAt : !linkUp)) return;
        dropAt = -1;
        chair.dropLink();  // the chair took the write, and loses the link before it can answer
    }
};

// What a fault is expected to do before the remote is back.
struct Plan {
    std::string what;
    double from = 0;            // when the back-off bound starts counting
    int failedAttempts = 0;     // connection attempts that fail in a row
    int failedDiscoveries = 0;  // of those, the ones that connected but failed discovery
    int newLinks = 1;           // links that come up, each with its link-up frame
    double answerDelay = 0;
    int droppedAtPiece = 0;  // for an upload: the piece during which the link went
};

class LinkFaultSoak : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* seed = std::getenv("LINK_SOAK_SEED"))
            seed_ = std::strtoull(seed, nullptr, 0);
        rng_.seed(seed_);
        rig.chair->setWriteObserver(
            [this, chair = rig.chair.get()](const Bytes& value) { trap.written(value, *chair); });
        rig.startController();
        ASSERT_TRUE(rig.controller->isConnected());
        ASSERT_EQ(trap.linkUps.load(), 1);
    }

    int pick(int low, int high) { return low + static_cast<int>(rng_() % (high - low + 1)); }

    // Sets the chair's switches for the fault and sets it off.
    Plan inject(Fault fault, int attemptsBefore) {
        Plan plan;
        std::ostringstream what;
        what << kNames[int(fault)];
        bool drop = true;  // most faults start from a link the chair drops
        switch (fault) {
            case Fault::FailedConnect:
                plan.failedAttempts = pick(1, 6);
                rig.chair->setFaults({.failConnections = plan.failedAttempts});
                break;
            case Fault::FailedServices:
                plan.failedAttempts = plan.failedDiscoveries = pick(1, 4);
                rig.chair->setFaults({.failServiceDiscovery = plan.failedAttempts});
                break;
            case Fault::FailedCharacteristics: {
                // Each attempt asks for both characteristics, so two failures fit in one.
                const int failures = pick(1, 6);
                plan.failedAttempts = plan.failedDiscoveries = (failures + 1) / 2;
                rig.chair->setFaults({.failCharacteristicDiscovery = failures});
                break;
            }
            case Fault::DropOnLinkUp:
                // The link is dropped, and dropped again while the new one says it is up.
                plan.newLinks = 2;
                trap.dropAt = 0;
                break;
            case Fault::DropInUpload: {
                const int fullPieces = pick(2, 40);
                // The last piece is never command-sized, so the trap tells pieces apart.
                Bytes file(static_cast<std::size_t>(fullPieces) * chairlink::kUpdatePieceSize +
                               static_cast<std::size_t>(pick(8, 101)),
                           0x75);
                plan.droppedAtPiece = pick(1, fullPieces);
                // Pieces in flight when the link goes are lost with it, never more than those.
                deadAllowed += std::min<int>(chairlink::kUpdatePiecesInFlight,
                                             fullPieces + 1 - plan.droppedAtPiece);
                what << " of " << file.size() << " bytes at piece " << plan.droppedAtPiece;
                trap.dropAt = trap.pieces + plan.droppedAtPiece;
                EXPECT_EQ(rig.controller->update(file), chairlink::UploadStart::Started);
                drop = false;
                break;
            }
            case Fault::NotificationsStop:
                rig.chair->stopNotifying();
                drop = false;
                break;
            case Fault::AdapterOff: {
                const double off = pick(1, 300) / 10.0;
                what << " for " << off << " s";
                rig.chair->setBluetoothPoweredOn(false);
                rig.clock.runDue();
                EXPECT_FALSE(rig.controller->isConnected()) << "the link outlived the adapter";
                rig.clock.advance(off);
                EXPECT_EQ(rig.chair->connectAttempts(), attemptsBefore)
                    << "a connection was tried with the adapter off";
                rig.chair->setBluetoothPoweredOn(true);
                drop = false;
                break;
            }
            case Fault::LateAnswer:
                plan.answerDelay = pick(1, 60) / 20.0;
                what << " after " << plan.answerDelay << " s";
                rig.chair->setFaults({.answerDelay = plan.answerDelay});
                break;
        }
        if (plan.failedAttempts) what << " x" << plan.failedAttempts;
        if (drop) rig.chair->dropLink();
        plan.what = what.str();
        plan.from = rig.clock.now();
        return plan;
    }

    // Steps the clock from one due call to the next until `done`, or fails once the next
    // step would pass `deadline`. After every settled step: never more than one client or
    // connection, nothing written over an ended link but update pieces already in flight.
    template <typename Done>
    ::testing::AssertionResult stepUntil(const Done& done, double deadline) {
        for (;;) {
            const int centrals = rig.chair->liveCentrals();
            const int connections = rig.chair->liveConnections();
            const int dead = rig.chair->deadLinkWrites();
            if (centrals > 1 || connections > 1 || dead > deadAllowed) {
                return ::testing::AssertionFailure()
                       << centrals << " live clients, " << connections << " live connections, "
                       << dead << " writes over ended links at " << rig.clock.now() << " s";
            }
            if (done()) return ::testing::AssertionSuccess();
            auto due = rig.clock.nextDue();
            if (!due || *due > deadline + 1e-9)
                return ::testing::AssertionFailure() << "not done by " << deadline << " s";
            rig.clock.advance(std::max(0.0, *due - rig.clock.now()));
        }
    }

    void survive(Fault fault) {
        log.clear();
        rig.decoded.clear();
        const int attemptsBefore = rig.chair->connectAttempts();
        const int connectionsBefore = rig.chair->connections();
        const int linkUpsBefore = trap.linkUps, piecesBefore = trap.pieces;
        const Plan plan = inject(fault, attemptsBefore);
        SCOPED_TRACE(plan.what);
        rig.clock.runDue();

        auto linkUps = [&] { return trap.linkUps - linkUpsBefore; };
        const double bound = backoffBound(plan.failedAttempts) + scanAllowance;
        ASSERT_TRUE(stepUntil(
            [&] {
                return linkUps() >= plan.newLinks && rig.controller->isConnected() &&
                       !rig.controller->retryPending();
            },
            plan.from + bound))
            << "waiting for the remote to be back within the back-off bound of " << bound << " s";
        const double back = rig.clock.now();
        longestReturn = std::max(longestReturn, back - plan.from);

        // The attempts and connections show each switch used up, and the drop trap sprung:
        // otherwise a link would have come up sooner or not at all.
        EXPECT_EQ(linkUps(), plan.newLinks) << "the link-up frame goes out once on every new link";
        EXPECT_EQ(rig.chair->connectAttempts() - attemptsBefore,
                  plan.failedAttempts + plan.newLinks);
        EXPECT_EQ(rig.chair->connections() - connectionsBefore,
                  plan.failedDiscoveries + plan.newLinks);

        // The chair's full status, as its answer to the last link-up frame, decoded in one run.
        const auto& full = chairtest::kFullStatus;
        auto answered = [&] {
            const auto types = rig.decodedTypes();
            return std::search(types.begin(), types.end(), full.begin(), full.end()) != types.end();
        };
        ASSERT_TRUE(stepUntil(answered, back + plan.answerDelay))
            << "waiting for the chair's answer to the link-up frame";
        if (plan.answerDelay > 0) {
            EXPECT_GE(rig.clock.now(), back + plan.answerDelay - 1e-9) << "answered too early";
            rig.chair->setFaults({});
        }
        if (plan.droppedAtPiece > 0) {
            EXPECT_FALSE(rig.controller->uploading());
            EXPECT_EQ(trap.pieces - piecesBefore, plan.droppedAtPiece)
                << "pieces written after the link went";
        }
    }

    // Declared before the rig, which holds the chair whose observer uses the trap.
    WriteTrap trap;
    base::LogCapture log;
    chair::StandInOptions options;
    chairtest::ChairRig rig{options};
    // A scan hears the chair within one advertising interval.
    const double scanAllowance = options.radio.advertisingInterval;
    double longestReturn = 0;
    int deadAllowed = 0;
    std::uint64_t seed_ = kDefaultSeed;
    std::mt19937_64 rng_;
};

TEST_F(LinkFaultSoak, TheRemoteIsBackAfterEveryFaultWithNoClientLeakedAndNoDeadWrite) {
    std::array<int, std::size(kNames)> survived{};
    int index = 0;
    for (; index < kFaults; ++index) {
        const auto fault = static_cast<Fault>(pick(0, int(std::size(kNames)) - 1));
        const std::string where =
            "seed " + std::to_string(seed_) + ", fault " + std::to_string(index) + " of 1000";
        SCOPED_TRACE(where);
        survive(fault);
        if (HasFailure()) {
            std::cout << "Link-fault soak failed at " << where << " (" << kNames[int(fault)]
                      << "); the link's log of that fault:\n";
            for (const auto& line : log.lines()) std::cout << "  " << line << '\n';
            break;
        }
        ++survived[int(fault)];
    }
    std::cout << "link-fault soak: seed " << seed_ << ", " << index << " of " << kFaults
              << " faults survived (";
    for (std::size_t k = 0; k < survived.size(); ++k)
        std::cout << (k ? ", " : "") << kNames[k] << " " << survived[k];
    std::cout << "), " << rig.clock.now() << " simulated s, longest return " << longestReturn
              << " s" << std::endl;
    EXPECT_EQ(index, kFaults);
}

}  // namespace
