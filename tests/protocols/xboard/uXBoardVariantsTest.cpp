#include "protocols/xboard/uXBoardVariants.h"

#include "games/uGameVariant.h"
#include "games/uGameVariants.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const TXBoardDescription& Variant(std::string_view AName) {
    TGameVariants& variants = GameVariants();
    if (variants.Count() == 0)
        RegisterGameVariants(variants);
    const TGameVariant* variant = variants.FindByName(AName);
    if (variant == nullptr)
        throw std::runtime_error("no variant " + std::string(AName));
    return variant->Description().XBoard;
}

} // namespace

TEST(TXBoardVariants, EveryRegisteredVariantHasOneXBoardName) {
    TGameVariants& variants = GameVariants();
    if (variants.Count() == 0)
        RegisterGameVariants(variants);
    for (std::size_t i = 0; i < variants.Count(); ++i) {
        const std::string& name = variants.Items(i).Name();
        SCOPED_TRACE(name);
        const TXBoardDescription& item = Variant(name);
        // Each name the front end may send leads back to this variant.
        EXPECT_EQ(XBoardVariantRegistryName(XBoardName(variants.Items(i))), name);
        if (!item.Alias.empty()) {
            EXPECT_EQ(XBoardVariantRegistryName(item.Alias), name);
        }
        EXPECT_EQ(XBoardVariantRegistryName(name), name);
        // xboard's letter table has a white and a black half of equal length, king last.
        if (!item.Parent.empty()) {
            const std::string_view table = item.PieceTable;
            ASSERT_EQ(table.size() % 2, 0u);
            EXPECT_EQ(table[table.size() / 2 - 1], 'K');
            EXPECT_EQ(table.back(), 'k');
        }
    }
    EXPECT_EQ(XBoardVariantRegistryName("xiangqi"), "");
    EXPECT_EQ(XBoardVariantRegistryName("5x5+3_shogi"), "");
}

TEST(TXBoardVariants, SetupLinesGiveBoardHoldingsAndPieces) {
    struct TCase {
        const char* Name;
        const char* Position;
        const char* Setup;
        std::size_t PieceLines;
    };
    // clang-format off
    const TCase cases[] = {
        {"minishogi", "rbsgk/4p/5/P4/KGSBR b - 1",
         "setup (P.BR.S...G.+.++.+Kp.br.s...g.+.++.+k) 5x5+5_shogi rbsgk/4p/5/P4/KGSBR[-] w 0 1", 10},
        {"goroGoroShogi", "sgkgs/5/1ppp1/1PPP1/5/SGKGS b - 1",
         "setup (P....S...G.+....+Kp....s...g.+....+k) 5x6+3_shogi sgkgs/5/1ppp1/1PPP1/5/SGKGS[-] w 0 1", 6},
        {"dobutsuShogi", "rkb/1p1/1P1/BKR w Pb 4",
         "setup (P.BR.......+.++...Kp.br.......+.++...k) 3x4+3_shogi rkb/1p1/1P1/BKR[Pb] b 0 2", 7},
        {"horde", "rnbqkbnr/pppppppp/8/1PP2PP1/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP w kq - 0 1",
         "setup (PNBRQ................Kpnbrq................k) 8x8+0_fairy "
         "rnbqkbnr/pppppppp/8/1PP2PP1/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP w kq - 0 1", 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<std::string> lines = XBoardSetupLines(Variant(c.Name), c.Position);
        ASSERT_EQ(lines.size(), 1 + c.PieceLines);
        EXPECT_EQ(lines[0], c.Setup);
        for (std::size_t i = 1; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].rfind("piece ", 0), 0u) << lines[i];
    }
    // The promoted pieces of the small boards move as golds, horses and dragons.
    const std::vector<std::string> mini = XBoardSetupLines(Variant("minishogi"), cases[0].Position);
    for (const char* line : {"piece +P& WfF", "piece +S& WfF", "piece +B& BW", "piece +R& RF"})
        EXPECT_NE(std::find(mini.begin(), mini.end(), line), mini.end()) << line;
    // xboard knows these itself: nothing to send.
    for (const char* name : {"chess", "chess960", "crazyhouse", "shogi", "3Check"})
        EXPECT_TRUE(XBoardSetupLines(Variant(name), "any position").empty()) << name;
}

TEST(TXBoardVariants, ShogiPositionsBetweenXBoardAndEngine) {
    struct TCase {
        const char* Name;
        const char* XBoard;
        const char* Engine;
    };
    // clang-format off
    const TCase cases[] = {
        {"minishogi",     "rbsgk/4p/5/P4/KGSBR[-] w 0 1",        "rbsgk/4p/5/P4/KGSBR b - 1"},
        {"minishogi",     "rb1gk/4p/5/P4/KG1BR[Ss] b 0 3",       "rb1gk/4p/5/P4/KG1BR w Ss 6"},
        {"goroGoroShogi", "sgkgs/5/1p1p1/1PPP1/5/SGKGS[PPg] w 0 7", "sgkgs/5/1p1p1/1PPP1/5/SGKGS b PPg 13"},
        {"dobutsuShogi",  "rkb/1+P1/3/BKR[p] b 0 4",             "rkb/1+P1/3/BKR w p 8"},
        {"shogi",         "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL[-] w 0 1",
                          "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.XBoard);
        EXPECT_EQ(XBoardToEnginePosition(Variant(c.Name), c.XBoard), c.Engine);
        EXPECT_EQ(EngineToXBoardPosition(Variant(c.Name), c.Engine), c.XBoard);
    }
    // xboard's castling and en passant fields and empty brackets say nothing in shogi.
    EXPECT_EQ(XBoardToEnginePosition(Variant("minishogi"), "rbsgk/4p/5/P4/KGSBR[] w - - 0 1"),
              "rbsgk/4p/5/P4/KGSBR b - 1");
    // Text that is not xboard's form is left for the engine to refuse.
    for (const char* text : {"rbsgk/4p/5/P4/KGSBR x 0 1", "rbsgk/4p/5/P4/KGSBR[P w 0 1", "junk"})
        EXPECT_EQ(XBoardToEnginePosition(Variant("minishogi"), text), text);
    // Chess positions are the same in both.
    EXPECT_EQ(XBoardToEnginePosition(Variant("horde"), "8/8/8/8/8/8/8/K6k w - - 0 1"),
              "8/8/8/8/8/8/8/K6k w - - 0 1");
}

TEST(TXBoardVariants, BlackFirstVariantIsShownMirrored) {
    // xboard starts a set-up game with White: Dunsany's chess, where Black moves first, is shown
    // upside down with the colours exchanged, and everything crossing over is mirrored.
    const TXBoardDescription& dunsany = Variant("dunsany");
    ASSERT_TRUE(dunsany.Mirrored);
    struct TCase {
        const char* Engine;
        const char* XBoard;
    };
    // clang-format off
    const TCase cases[] = {
        {"rnbqkbnr/pppppppp/8/8/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP b kq - 0 1",
         "pppppppp/pppppppp/pppppppp/pppppppp/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1"},
        {"4k3/8/8/3pP3/8/8/8/8 w - d6 0 7", "8/8/8/8/3Pp3/8/8/4K3 b - d3 0 7"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Engine);
        EXPECT_EQ(EngineToXBoardPosition(dunsany, c.Engine), c.XBoard);
        EXPECT_EQ(XBoardToEnginePosition(dunsany, c.XBoard), c.Engine);
    }
    EXPECT_EQ(MirrorResult("1-0 {White mates}"), "0-1 {Black mates}");
    EXPECT_EQ(MirrorResult("0-1 {Black wins}"), "1-0 {White wins}");
    EXPECT_EQ(MirrorResult("1/2-1/2 {Stalemate}"), "1/2-1/2 {Stalemate}");
    const std::vector<std::string> setup = XBoardSetupLines(dunsany, cases[0].Engine);
    ASSERT_EQ(setup.size(), 1u);
    EXPECT_TRUE(setup[0].ends_with(cases[0].XBoard)) << setup[0];
}
