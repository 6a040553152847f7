#include "perft/uPerftJournal.h"

#include "games/uGameVariants.h"
#include "games/uPosition.h"
#include "perft/uPerftWorkPlan.h"
#include "platform/uPlatformFiles.h"
#include "support/uExceptions.h"
#include "support/uTestFolder.h"

#include <gtest/gtest.h>

namespace {

TGameVariant& Variant(const std::string& AName) {
    if (GameVariants().Count() == 0)
        RegisterGameVariants(GameVariants());
    return *GameVariants().FindByName(AName);
}

TPerftWorkPlan Plan(const std::string& AVariant, int ADepth, int ASplit,
                    const std::string& APosition = "") {
    TGameVariant&              variant = Variant(AVariant);
    std::unique_ptr<TPosition> root =
        APosition.empty() ? variant.CreateStartPosition() : ReadPerftPosition(variant, APosition);
    root->InitializeHash();
    return TPerftWorkPlan::Build(variant, *root, ADepth, ASplit);
}

std::string ItemLine(const TPerftWorkPlan& APlan, std::size_t AItem, std::uint64_t ACount) {
    const TPerftWorkItem& item = APlan.Items()[AItem];
    return FormatPerftJournalItem(item.Position, item.Multiplicity, APlan.RemainingDepth(), ACount);
}

// The message of what AAction raises; empty when it raises nothing.
template <class TAction> std::string Failure(TAction AAction) {
    try {
        AAction();
    } catch (const Exception& e) {
        return e.what();
    }
    return {};
}

// A journal line of the given fields with a checksum that matches them: damage that the
// checksum alone does not reveal.
std::string Forged(const std::string& APosition, const std::string& AMultiplicity,
                   const std::string& ADepth, const std::string& ACount) {
    return SealPerftJournalLine(APosition + '\t' + AMultiplicity + '\t' + ADepth + '\t' + ACount);
}

} // namespace

TEST(TPerftJournal, ReadsBackTheItemsItWrote) {
    const TPerftWorkPlan plan = Plan("chess", 4, 2);
    const std::string    text =
        FormatPerftJournalHeader(plan) + ItemLine(plan, 3, 1234) + ItemLine(plan, 0, 99);
    const TPerftJournalContent content = ReadPerftJournal(text, plan, "j");
    EXPECT_EQ(content.DoneCount, 2u);
    EXPECT_TRUE(content.Done[0]);
    EXPECT_TRUE(content.Done[3]);
    EXPECT_FALSE(content.Done[1]);
    EXPECT_EQ(content.Counts[0], 99u);
    EXPECT_EQ(content.Counts[3], 1234u);
    EXPECT_EQ(content.CompleteSize, text.size());
    EXPECT_FALSE(content.Incomplete);
    // The same item twice with the same count is one finished item.
    EXPECT_EQ(ReadPerftJournal(text + ItemLine(plan, 3, 1234), plan, "j").DoneCount, 2u);
    EXPECT_EQ(ReadPerftJournal("", plan, "j").DoneCount, 0u);
}

// What a killed run leaves: the end of a line not yet written. The item is counted again.
TEST(TPerftJournal, DropsAnIncompleteLastLine) {
    const TPerftWorkPlan       plan = Plan("shogi", 3, 2);
    const std::string          complete = FormatPerftJournalHeader(plan) + ItemLine(plan, 5, 30);
    const std::string          cut = ItemLine(plan, 6, 31).substr(0, 12);
    const TPerftJournalContent content = ReadPerftJournal(complete + cut, plan, "j");
    EXPECT_TRUE(content.Incomplete);
    EXPECT_EQ(content.CompleteSize, complete.size());
    EXPECT_EQ(content.DoneCount, 1u);
    EXPECT_FALSE(content.Done[6]);
    // Even the header: the journal is then empty.
    const TPerftJournalContent header = ReadPerftJournal(complete.substr(0, 10), plan, "j");
    EXPECT_TRUE(header.Incomplete);
    EXPECT_EQ(header.CompleteSize, 0u);
}

TEST(TPerftJournal, RefusesTheJournalOfAnotherPerft) {
    const TPerftWorkPlan plan = Plan("chess", 4, 2);
    const TPerftWorkPlan others[] = {
        Plan("nocastle", 4, 2), Plan("chess", 5, 2), Plan("chess", 4, 1),
        Plan("chess", 4, 2, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1")};
    for (const TPerftWorkPlan& other : others) {
        const std::string message = Failure(
            [&] { ReadPerftJournal(FormatPerftJournalHeader(other), plan, "old.journal"); });
        EXPECT_NE(message.find("Journal old.journal belongs to another perft"), std::string::npos)
            << message;
    }
    // The variant's name in another letter case is the same variant.
    std::string header = FormatPerftJournalHeader(plan);
    header.replace(header.find("\tchess\t"), 7, "\tCHESS\t");
    EXPECT_NO_THROW(ReadPerftJournal(header, plan, "j"));
    EXPECT_NE(Failure([&] {
                  ReadPerftJournal("some text\n", plan, "notes.txt");
              }).find("File notes.txt is not a perft journal."),
              std::string::npos);
    std::string later = FormatPerftJournalHeader(plan);
    later.replace(later.find("\t1\t"), 3, "\t2\t");
    EXPECT_NE(Failure([&] { ReadPerftJournal(later, plan, "j"); }).find("format 2"),
              std::string::npos);
}

TEST(TPerftJournal, ReportsADamagedLineByItsNumber) {
    const TPerftWorkPlan  plan = Plan("chess", 4, 2);
    const TPerftWorkItem& item = plan.Items()[2];
    const std::string     mult = std::to_string(item.Multiplicity);
    std::string           changed = ItemLine(plan, 2, 5000);
    changed.replace(changed.find("\t5000\t"), 6, "\t5001\t");
    const struct {
        std::string Line;
        std::string Reason;
    } cases[] = {
        {changed, "its checksum does not match"},
        {"\n", "5 tab-separated fields expected"},
        {ItemLine(plan, 2, 5000).substr(0, 20) + "\n", "5 tab-separated fields expected"},
        {Forged(item.Position, mult, "2", "-5"), "a number is malformed"},
        {Forged("8/8/8/8/8/8/8/8 w - - 0 1", mult, "2", "5"),
         "its position is not one of this perft's items"},
        {Forged(item.Position, mult + "0", "2", "5"),
         "its multiplicity or depth differs from this perft's item"},
        {Forged(item.Position, mult, "3", "5"),
         "its multiplicity or depth differs from this perft's item"},
        {ItemLine(plan, 2, 5001), "its item is there twice with other counts"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        ASSERT_FALSE(c.Line.empty());
        const std::string text = FormatPerftJournalHeader(plan) + ItemLine(plan, 2, 5000) + c.Line +
                                 ItemLine(plan, 4, 1);
        EXPECT_EQ(Failure([&] { ReadPerftJournal(text, plan, "run.journal"); }),
                  "Journal run.journal, line 3 is damaged: " + c.Reason + ".");
    }
}

TEST(TPerftJournal, KeepsEveryAppendedItemAcrossRuns) {
    TTestFolder          folder("perft-journal");
    const std::string    file = folder.File("run.journal");
    const TPerftWorkPlan plan = Plan("minishogi", 3, 1);
    {
        TPerftJournal journal;
        journal.Open(file, plan);
        EXPECT_EQ(journal.Content().DoneCount, 0u);
        const TPerftWorkItem& item = plan.Items()[1];
        journal.Append(item.Position, item.Multiplicity, plan.RemainingDepth(), 77);
        // A second run on the same file is refused while this one holds it.
        TPerftJournal second;
        EXPECT_THROW(second.Open(file, plan), Exception);
    }
    std::string text;
    ASSERT_TRUE(ReadWholeFile(file, text));
    // The next run finds the item; a cut line after it is dropped from the file itself, so that
    // the lines appended next stand on their own.
    ASSERT_TRUE(ProtectedWriteFile(file, text + ItemLine(plan, 2, 5).substr(0, 9)));
    {
        TPerftJournal journal;
        journal.Open(file, plan);
        EXPECT_EQ(journal.Content().DoneCount, 1u);
        EXPECT_EQ(journal.Content().Counts[1], 77u);
        const TPerftWorkItem& item = plan.Items()[2];
        journal.Append(item.Position, item.Multiplicity, plan.RemainingDepth(), 5);
    }
    ASSERT_TRUE(ReadWholeFile(file, text));
    const TPerftJournalContent content = ReadPerftJournal(text, plan, file);
    EXPECT_FALSE(content.Incomplete);
    EXPECT_EQ(content.DoneCount, 2u);
    EXPECT_EQ(content.Counts[2], 5u);
}
