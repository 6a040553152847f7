#include "perft/uDistributedPerftOptions.h"

#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace {

// The depth codes of the subtree keys reach 99 plies.
constexpr std::int32_t MaximalDepth = 99;

std::int64_t IntegerValue(std::string_view AOption, const std::string& AValue, std::int64_t AMin,
                          std::int64_t AMax) {
    const std::optional<std::int64_t> value = TryStrToInt64(AValue);
    if (!value || *value < AMin || *value > AMax)
        throw EArgumentException(std::string(AOption) + " needs a whole number from " +
                                 std::to_string(AMin) + " to " + std::to_string(AMax) + ", not '" +
                                 AValue + "'.");
    return *value;
}

double SecondsValue(std::string_view AOption, const std::string& AValue) {
    double value = 0;
    const auto [end, error] = std::from_chars(AValue.data(), AValue.data() + AValue.size(), value);
    if (AValue.empty() || error != std::errc() || end != AValue.data() + AValue.size() ||
        !std::isfinite(value) || value < 0)
        throw EArgumentException(std::string(AOption) +
                                 " needs a number of seconds, 0 or more, not '" + AValue + "'.");
    return value;
}

} // namespace

TDistributedPerftOptions ReadDistributedPerftOptions(const std::vector<std::string>& AArguments) {
    TDistributedPerftOptions options;
    bool                     positionGiven = false;
    bool                     depthGiven = false;
    for (std::size_t i = 0; i < AArguments.size(); ++i) {
        std::string                name = AArguments[i];
        std::optional<std::string> inlineValue;
        if (const std::size_t equals = name.find('=');
            name.starts_with("--") && equals != name.npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        const auto value = [&]() -> std::string {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= AArguments.size())
                throw EArgumentException(name + " needs a value.");
            return AArguments[++i];
        };
        const auto position = [&](std::string AText) {
            if (positionGiven)
                throw EArgumentException("Give one position: --fen, --sfen or --startpos.");
            positionGiven = true;
            options.Position = std::move(AText);
        };
        if (name == "--variant") {
            options.Variant = value();
        } else if (name == "--fen" || name == "--sfen") {
            std::string text = value();
            if (TrimView(text).empty())
                throw EArgumentException(name + " needs a position string.");
            position(std::move(text));
        } else if (name == "--startpos" && !inlineValue) {
            position("");
        } else if (name == "--depth") {
            options.Depth = static_cast<std::int32_t>(IntegerValue(name, value(), 1, MaximalDepth));
            depthGiven = true;
        } else if (name == "--threads") {
            options.Threads = static_cast<std::int32_t>(IntegerValue(name, value(), 1, 512));
        } else if (name == "--hash") {
            options.HashMiB = IntegerValue(name, value(), 0, std::int64_t{1} << 30);
        } else if (name == "--split") {
            options.Split = static_cast<std::int32_t>(IntegerValue(name, value(), 1, MaximalDepth));
        } else if (name == "--journal") {
            options.Journal = value();
            if (options.Journal.empty())
                throw EArgumentException("--journal needs a file name.");
        } else if (name == "--divide" && !inlineValue) {
            options.Divide = true;
        } else if (name == "--progress") {
            options.ProgressSeconds = SecondsValue(name, value());
        } else if ((name == "--help" || name == "-h") && !inlineValue) {
            options.Help = true;
        } else {
            throw EArgumentException("Unknown argument '" + AArguments[i] +
                                     "'; --help lists the options.");
        }
    }
    if (options.Help)
        return options;
    if (options.Variant.empty())
        throw EArgumentException("--variant is missing.");
    if (!positionGiven)
        throw EArgumentException("The position is missing: --fen, --sfen or --startpos.");
    if (!depthGiven)
        throw EArgumentException("--depth is missing.");
    if (options.Split > options.Depth)
        throw EArgumentException("--split must not exceed --depth.");
    return options;
}

std::string DistributedPerftUsage() {
    return "Usage: mpirun -np N kvvexdra-perft --variant V (--fen F | --sfen S | --startpos)\n"
           "                  --depth D [options]\n"
           "Counts the leaves of the legal-move tree D plies below the position, on every\n"
           "process of the MPI job.\n"
           "  --variant V      game variant by its name; an unknown name lists them\n"
           "  --fen F          root position as FEN\n"
           "  --sfen S         root position as SFEN\n"
           "  --startpos       the variant's start position\n"
           "  --depth D        plies to count, 1 to 99\n"
           "  --threads T      counting threads of every process (1)\n"
           "  --hash MiB       subtree table of every process, 0 for none (128)\n"
           "  --split K        plies expanded into work items (depth - 4, within 1..3)\n"
           "  --journal FILE   keep finished items in FILE; the same command resumes from it\n"
           "  --divide         the count of every root move\n"
           "  --progress S     a progress line on stderr every S seconds, 0 for none (10)\n"
           "  --help           this text\n";
}
