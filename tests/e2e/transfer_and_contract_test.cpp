// tests/e2e/transfer_and_contract_test.cpp: the transfer screens in the real program: a bid
// haggled over in the negotiation and agreed, a contract renewed in the talks and an asking price
// set, each opened from the player card of a new career, then the purchase concluded in the talks
// the seller's answer opens.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

TEST(TransferAndContract, HaggleRenewSetAPriceAndSignThePlayerBought)
{
    const ScriptRun run =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                  + IncludeScript("transfer_and_contract.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const PngImage& negotiation = run.frames.at("negotiation.png");
    EXPECT_GT(TextPixels(negotiation, 32, 70, 576, 30), 100);  // the player line
    for (const int32_t x : {85, 415}) {
        EXPECT_GT(TextPixels(negotiation, x, 112, 140, 16), 20) << x;  // buyer and seller
        EXPECT_GT(TextPixels(negotiation, x, 152, 140, 16), 20) << x;  // the clubs' names
    }
    EXPECT_GT(TextPixels(negotiation, 70, 220, 225, 16), 8);    // eight digit cells
    EXPECT_GT(TextPixels(negotiation, 400, 220, 170, 18), 30);  // the seller's demand
    EXPECT_GT(TextPixels(negotiation, 345, 280, 250, 16), 50);  // "Clubs se montrant ..."
    EXPECT_EQ(TextPixels(negotiation, 345, 405, 250, 30), 0);   // nothing refused yet
    EXPECT_GT(TextPixels(run.frames.at("refused.png"), 345, 405, 250, 30), 20);  // "Refusé"

    const PngImage& talks = run.frames.at("talks.png");
    EXPECT_GT(TextPixels(talks, 200, 135, 240, 40), 50);  // the present contract
    EXPECT_GT(TextPixels(talks, 40, 256, 145, 18), 10);   // five wage digits
    EXPECT_GT(TextPixels(talks, 380, 262, 210, 18), 30);  // the demand
    EXPECT_GT(ChangedPixels(talks, run.frames.at("signed.png"), 100, 120, 440, 240), 1000);

    // The purchase: agreed on the first day with the club's own money, answered by the seller
    // the next day, concluded in the talks: one more player, listed in the human's "Equipe".
    const PngImage& signing = run.frames.at("signing.png");
    EXPECT_GT(TextPixels(signing, 32, 70, 576, 30), 100);   // the player bought
    EXPECT_GT(TextPixels(signing, 380, 262, 210, 18), 30);  // his demand
    EXPECT_GT(ChangedPixels(signing, run.frames.at("bought.png"), 100, 120, 440, 240), 1000);
    const std::vector<int32_t> squad = ScriptPrintedValues(run.out, "humansquad");
    ASSERT_EQ(squad.size(), 2u) << run.out;
    EXPECT_EQ(squad[1], squad[0] + 1);
    // The right-hand list's ninth row, below its eight players of the first day.
    EXPECT_EQ(TextPixels(run.frames.at("squad_before.png"), 450, 268, 160, 16), 0);
    EXPECT_GT(TextPixels(run.frames.at("squad_after.png"), 450, 268, 160, 16), 20);

    const PngImage& price = run.frames.at("price.png");
    for (const int32_t y : {190, 290}) {
        EXPECT_GT(TextPixels(price, 225, y, 225, 16), 20) << y;  // eight digits each
    }
    EXPECT_GT(TextPixels(price, 180, 150, 280, 20), 50);  // the valuation's label
}
