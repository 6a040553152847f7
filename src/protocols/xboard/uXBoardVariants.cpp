#include "protocols/xboard/uXBoardVariants.h"

#include "games/uGameVariant.h"
#include "games/uGameVariants.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <utility>

namespace {

// xboard's piece types for a chess board: pawn, knight, bishop, rook, queen, the unused types,
// king.
constexpr std::string_view ChessTable = "PNBRQ................Kpnbrq................k";
// xboard's shogi piece types: a "+" slot is the promoted form of the type eleven slots before
// it, written "+" and that type's letter.
constexpr std::string_view MiniShogiTable = "P.BR.S...G.+.++.+Kp.br.s...g.+.++.+k";
constexpr std::string_view GoroGoroTable = "P....S...G.+....+Kp....s...g.+....+k";
// Dōbutsu keeps the shogi letters: its elephant and giraffe are the bishop and the rook.
constexpr std::string_view DobutsuTable = "P.BR.......+.++...Kp.br.......+.++...k";

// Every piece of the small shogi boards moves as on the large one: xboard is told so, because
// its defaults for a board it does not know are not the shogi pieces.
const std::vector<std::string_view> MiniShogiPieces = {
    "P& fW", "S& FfW", "G& WfF", "B& B", "R& R", "K& K", "+P& WfF", "+S& WfF", "+B& BW", "+R& RF"};
const std::vector<std::string_view> GoroGoroPieces = {"P& fW", "S& FfW",  "G& WfF",
                                                      "K& K",  "+P& WfF", "+S& WfF"};
const std::vector<std::string_view> DobutsuPieces = {"P& fW",   "B& B",   "R& R",  "K& K",
                                                     "+P& WfF", "+B& BW", "+R& RF"};

const std::vector<TXBoardVariant>& Table() {
    static const std::vector<TXBoardVariant> table = [] {
        std::vector<TXBoardVariant> v;
        auto known = [&](std::string_view AName, std::string_view AXBoardName) {
            TXBoardVariant item;
            item.Name = AName;
            item.XBoardName = AXBoardName;
            v.push_back(item);
            return &v.back();
        };
        auto chess = [&](std::string_view AName, std::string_view AXBoardName, bool ARandom) {
            TXBoardVariant& item = *known(AName, AXBoardName);
            item.Parent = "fairy";
            item.PieceTable = ChessTable;
            item.RandomSetup = ARandom;
        };
        auto shogi = [&](std::string_view AName, int AWidth, int AHeight, int AHoldings,
                         std::string_view AXBoardName, std::string_view AAlias,
                         std::string_view ATable, const std::vector<std::string_view>& APieces) {
            TXBoardVariant& item = *known(AName, AXBoardName);
            item.Alias = AAlias;
            item.Width = AWidth;
            item.Height = AHeight;
            item.Holdings = AHoldings;
            item.Parent = "shogi";
            item.PieceTable = ATable;
            item.Pieces = APieces;
            item.ShogiCoordinates = true;
        };
        v.reserve(20);
        known("chess", "normal");
        known("chess960", "fischerandom");
        chess("shuffle", "shuffle", true);
        chess("random256", "random256", true);
        known("nocastle", "nocastle");
        chess("dunsany", "dunsany", false);
        v.back().Mirrored = true;
        chess("hordeChess", "hordechess", false);
        chess("horde", "horde", false);
        known("giveaway", "giveaway");
        known("3Check", "3check");
        chess("kingOfTheHill", "kingofthehill", false);
        chess("racingKings", "racingkings", false);
        known("atomic", "atomic");
        known("crazyhouse", "crazyhouse");
        TXBoardVariant& shogiItem = *known("shogi", "shogi");
        shogiItem.Width = shogiItem.Height = 9;
        shogiItem.Holdings = 7;
        shogiItem.ShogiCoordinates = true;
        shogi("minishogi", 5, 5, 5, "5x5+5_shogi", "minishogi", MiniShogiTable, MiniShogiPieces);
        shogi("goroGoroShogi", 5, 6, 3, "5x6+3_shogi", "gorogoro", GoroGoroTable, GoroGoroPieces);
        shogi("dobutsuShogi", 3, 4, 3, "3x4+3_shogi", "dobutsu", DobutsuTable, DobutsuPieces);
        return v;
    }();
    return table;
}

bool IsNumber(std::string_view AText) {
    return !AText.empty() &&
           std::all_of(AText.begin(), AText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A move number of at most nine digits; 1 for anything else.
std::int64_t MoveNumber(std::string_view AText) {
    if (!IsNumber(AText) || AText.size() > 9)
        return 1;
    return std::max<std::int64_t>(1, std::stoll(std::string(AText)));
}

} // namespace

const TXBoardVariant* FindXBoardVariant(std::string_view ARegistryName) {
    for (const TXBoardVariant& item : Table())
        if (item.Name == ARegistryName)
            return &item;
    return nullptr;
}

std::string XBoardVariantRegistryName(std::string_view AName) {
    for (const TXBoardVariant& item : Table())
        if ((SameText(item.XBoardName, AName) ||
             (!item.Alias.empty() && SameText(item.Alias, AName))) &&
            GameVariants().FindByName(item.Name) != nullptr)
            return std::string(item.Name);
    const TGameVariant* variant = GameVariants().FindByName(AName);
    return variant != nullptr ? variant->Name() : std::string();
}

std::string XBoardVariantsList() {
    const TGameVariants& variants = GameVariants();
    std::string          text;
    for (std::size_t i = 0; i < variants.Count(); ++i) {
        const std::string&    name = variants.Items(i).Name();
        const TXBoardVariant* item = FindXBoardVariant(name);
        text += (text.empty() ? "" : ",") +
                (item != nullptr ? std::string(item->XBoardName) : LowerCase(name));
        if (item != nullptr && !item->Alias.empty())
            text += "," + std::string(item->Alias);
    }
    return text;
}

std::vector<std::string> XBoardSetupLines(const TXBoardVariant& AVariant,
                                          std::string_view      APosition) {
    std::vector<std::string> lines;
    if (AVariant.Parent.empty() || APosition.empty())
        return lines;
    lines.push_back("setup (" + std::string(AVariant.PieceTable) + ") " +
                    std::to_string(AVariant.Width) + "x" + std::to_string(AVariant.Height) + "+" +
                    std::to_string(AVariant.Holdings) + "_" + std::string(AVariant.Parent) + " " +
                    EngineToXBoardPosition(AVariant, APosition));
    for (std::string_view piece : AVariant.Pieces)
        lines.push_back("piece " + std::string(piece));
    return lines;
}

std::string MirrorChessPosition(std::string_view AFen) {
    std::vector<std::string> fields = SplitWords(AFen);
    if (fields.size() < 2)
        return std::string(AFen);
    auto swapCase = [](std::string AText) {
        for (char& c : AText)
            c = c >= 'a' && c <= 'z'   ? static_cast<char>(c - 32)
                : c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32)
                                       : c;
        return AText;
    };
    std::vector<std::string> rows;
    std::size_t              start = 0;
    for (std::size_t slash = fields[0].find('/');; slash = fields[0].find('/', start)) {
        rows.insert(rows.begin(), swapCase(fields[0].substr(start, slash - start)));
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    std::string board;
    for (const std::string& row : rows)
        board += (board.empty() ? "" : "/") + row;
    fields[0] = board;
    fields[1] = fields[1] == "w" ? "b" : fields[1] == "b" ? "w" : fields[1];
    if (fields.size() > 2 && fields[2] != "-")
        fields[2] = swapCase(fields[2]);
    // The en passant square: its rank counted from the other side.
    if (fields.size() > 3 && fields[3].size() == 2 && fields[3][1] >= '1' && fields[3][1] <= '8')
        fields[3][1] = static_cast<char>('1' + '8' - fields[3][1]);
    std::string text;
    for (const std::string& field : fields)
        text += (text.empty() ? "" : " ") + field;
    return text;
}

std::string MirrorResult(std::string_view AResult) {
    std::string text(AResult);
    if (text.starts_with("1-0"))
        text.replace(0, 3, "0-1");
    else if (text.starts_with("0-1"))
        text.replace(0, 3, "1-0");
    for (auto [from, to] :
         {std::pair{"White", "@@W"}, std::pair{"Black", "White"}, std::pair{"@@W", "Black"}})
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, std::string_view(from).size(), to), at += std::string_view(to).size();
    return text;
}

std::string EngineToXBoardPosition(const TXBoardVariant& AVariant, std::string_view APosition) {
    if (AVariant.Mirrored)
        return MirrorChessPosition(APosition);
    const std::vector<std::string> fields = SplitWords(APosition);
    if (!AVariant.ShogiCoordinates || fields.size() != 4 || (fields[1] != "b" && fields[1] != "w"))
        return std::string(APosition);
    const std::int64_t ply = MoveNumber(fields[3]);
    return fields[0] + "[" + fields[2] + "] " + (fields[1] == "b" ? "w" : "b") + " 0 " +
           std::to_string((ply - 1) / 2 + 1);
}

std::string XBoardToEnginePosition(const TXBoardVariant& AVariant, std::string_view AFen) {
    if (AVariant.Mirrored)
        return MirrorChessPosition(AFen);
    const std::vector<std::string> fields = SplitWords(AFen);
    if (!AVariant.ShogiCoordinates || fields.size() < 2 || (fields[1] != "w" && fields[1] != "b"))
        return std::string(AFen);
    // The hands: "[PPs]" after the board, "[-]" or "[]" when both are empty.
    std::string       board = fields[0];
    std::string       hands = "-";
    const std::size_t open = board.find('[');
    if (open != std::string::npos) {
        if (board.back() != ']')
            return std::string(AFen);
        hands = board.substr(open + 1, board.size() - open - 2);
        board.resize(open);
        if (hands.empty())
            hands = "-";
    }
    // xboard's castling and en passant fields, when present, say nothing in shogi; the last
    // number is the move number.
    const bool         second = fields[1] == "b";
    const std::int64_t move = fields.size() > 2 ? MoveNumber(fields.back()) : 1;
    return board + (second ? " w " : " b ") + hands + " " +
           std::to_string(2 * (move - 1) + (second ? 1 : 0) + 1);
}
