#include "protocols/xboard/uXBoardVariants.h"

#include "games/uGameVariant.h"
#include "games/uGameVariants.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <utility>

namespace {

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

std::string XBoardName(const TGameVariant& AVariant) {
    const std::string_view name = AVariant.Description().XBoard.Name;
    return name.empty() ? LowerCase(AVariant.Name()) : std::string(name);
}

std::string XBoardVariantRegistryName(std::string_view AName) {
    const TGameVariants& variants = GameVariants();
    for (std::size_t i = 0; i < variants.Count(); ++i) {
        const TGameVariant&       variant = variants.Items(i);
        const TXBoardDescription& xboard = variant.Description().XBoard;
        if (SameText(XBoardName(variant), AName) ||
            (!xboard.Alias.empty() && SameText(xboard.Alias, AName)))
            return variant.Name();
    }
    const TGameVariant* variant = variants.FindByName(AName);
    return variant != nullptr ? variant->Name() : std::string();
}

std::string XBoardVariantsList() {
    const TGameVariants& variants = GameVariants();
    std::string          text;
    for (std::size_t i = 0; i < variants.Count(); ++i) {
        const TGameVariant& variant = variants.Items(i);
        text += (text.empty() ? "" : ",") + XBoardName(variant);
        if (const std::string_view alias = variant.Description().XBoard.Alias; !alias.empty())
            text += "," + std::string(alias);
    }
    return text;
}

std::vector<std::string> XBoardSetupLines(const TXBoardDescription& AVariant,
                                          std::string_view          APosition) {
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

std::string EngineToXBoardPosition(const TXBoardDescription& AVariant, std::string_view APosition) {
    if (AVariant.Mirrored)
        return MirrorChessPosition(APosition);
    const std::vector<std::string> fields = SplitWords(APosition);
    if (!AVariant.ShogiCoordinates || fields.size() != 4 || (fields[1] != "b" && fields[1] != "w"))
        return std::string(APosition);
    const std::int64_t ply = MoveNumber(fields[3]);
    return fields[0] + "[" + fields[2] + "] " + (fields[1] == "b" ? "w" : "b") + " 0 " +
           std::to_string((ply - 1) / 2 + 1);
}

std::string XBoardToEnginePosition(const TXBoardDescription& AVariant, std::string_view AFen) {
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
