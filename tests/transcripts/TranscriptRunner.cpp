// Runs the program with scripted input and compares what it writes.
//
//   # text        comment
//   $ args ...    command-line arguments (before the first line is sent)
//   % NAME=VALUE  environment variable for the program
//   > line        send a line ("\r", "\t", "\n", "\0" and "\xHH" escapes allowed; no line end
//                 with ">|")
//   >* N text     send the text N times over, then a line end (long lines)
//   < text        the next standard-output line must match ("*" matches any run of text)
//   ~             before the next "<": skip lines until one matches
//   ! text        the next standard-error line must match
//   ^ text        no standard-output line up to the next "<" match may match this
//   = exit N      close the input, wait for the end, compare the exit code
//   = eof         close the input and go on
//   = silent      wait briefly and check that nothing more was written to standard output
//   = signal N    send signal number N to the program
//   ? FILE TEXT   (after the program ended) a line of FILE matches TEXT
//   ?! FILE TEXT  no line of FILE matches TEXT
//   + FILE text   write a line to FILE (a FIFO the program reads, say) and close it
//   = peak-memory-below MB   (after the exit) the program's peak resident memory
//
// Set-up lines before the first line is sent, besides "$" and "%":
//   @ close FD            start the program with standard descriptor FD (0, 1 or 2) closed
//   @ stdout FILE         start it with standard output written to FILE
//   @ memory-limit MB     start it with its address space limited (ulimit -v)
//   @ file FILE N TEXT    append TEXT (escapes allowed) N times over to FILE, creating it
//   @ fifo FILE           create a FIFO
//   @ link FILE TARGET    create a symbolic link (and the folders above it)
//   @ unsanitized         skip the transcript (exit 77) in a sanitizer build (KV_SANITIZED set),
//                         whose shadow memory defeats memory limits and measurements
//
// {DATA} stands for the transcript data folder, {TMP} for a fresh temporary folder.
// Every transcript also checks that no escape sequence reaches a pipe.
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto Timeout = std::chrono::seconds(60);

struct TStream {
    int                      Fd = -1;
    std::string              Buffer;
    std::deque<std::string>  Lines;
    std::vector<std::string> History;
    bool                     Closed = false;
};

struct TChild {
    pid_t   Pid = -1;
    int     In = -1;
    TStream Out;
    TStream Err;
    bool    Exited = false;
    int     ExitCode = -1;
    long    PeakMemoryKiB = 0;
};

// How the program's process is set up beyond its arguments and environment.
struct TSetup {
    std::vector<int> Closed;
    std::string      Output;
    long             MemoryLimitMiB = 0;
};

std::string GScript;
int         GLine = 0;
TChild      GChild;

[[noreturn]] void Fail(const std::string& AMessage) {
    std::cerr << GScript << ":" << GLine << ": " << AMessage << "\n";
    auto dump = [](const char* AName, const TStream& AStream) {
        std::cerr << "--- last " << AName << " lines:\n";
        const std::size_t from = AStream.History.size() > 25 ? AStream.History.size() - 25 : 0;
        for (std::size_t i = from; i < AStream.History.size(); ++i)
            std::cerr << "  |" << AStream.History[i] << "\n";
        if (!AStream.Buffer.empty())
            std::cerr << "  |" << AStream.Buffer << "   (no line end yet)\n";
    };
    dump("stdout", GChild.Out);
    dump("stderr", GChild.Err);
    if (GChild.Pid > 0 && !GChild.Exited)
        kill(GChild.Pid, SIGKILL);
    std::exit(1);
}

void Split(TStream& AStream) {
    std::size_t eol;
    while ((eol = AStream.Buffer.find('\n')) != std::string::npos) {
        std::string line = AStream.Buffer.substr(0, eol);
        AStream.Buffer.erase(0, eol + 1);
        if (line.find('\x1b') != std::string::npos)
            Fail("escape sequence written to a pipe: " + line);
        AStream.Lines.push_back(line);
        AStream.History.push_back(line);
    }
}

// Reads whatever arrives within the time left; false when the deadline passed.
bool Pump(Clock::time_point ADeadline) {
    std::vector<pollfd>   fds;
    std::vector<TStream*> streams;
    for (TStream* stream : {&GChild.Out, &GChild.Err})
        if (!stream->Closed) {
            fds.push_back({stream->Fd, POLLIN, 0});
            streams.push_back(stream);
        }
    if (fds.empty())
        return false;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(ADeadline - Clock::now()).count();
    if (left <= 0)
        return false;
    const int ready = poll(fds.data(), fds.size(), static_cast<int>(left));
    if (ready <= 0)
        return ready < 0 && errno == EINTR;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (fds[i].revents == 0)
            continue;
        char          chunk[65536];
        const ssize_t got = read(fds[i].fd, chunk, sizeof chunk);
        if (got > 0) {
            streams[i]->Buffer.append(chunk, static_cast<std::size_t>(got));
            Split(*streams[i]);
        } else if (got == 0 || errno != EINTR) {
            streams[i]->Closed = true;
            if (!streams[i]->Buffer.empty()) {
                streams[i]->Buffer += '\n';
                Split(*streams[i]);
            }
        }
    }
    return true;
}

bool NextLine(TStream& AStream, std::string& ALine, Clock::time_point ADeadline) {
    while (AStream.Lines.empty()) {
        if (AStream.Closed || !Pump(ADeadline))
            if (AStream.Lines.empty() && (AStream.Closed || Clock::now() >= ADeadline))
                return false;
    }
    ALine = AStream.Lines.front();
    AStream.Lines.pop_front();
    return true;
}

bool GlobMatch(const char* APattern, const char* AText) {
    if (*APattern == 0)
        return *AText == 0;
    if (*APattern == '*') {
        for (const char* t = AText;; ++t) {
            if (GlobMatch(APattern + 1, t))
                return true;
            if (*t == 0)
                return false;
        }
    }
    return *AText != 0 && *APattern == *AText && GlobMatch(APattern + 1, AText + 1);
}

std::string Substitute(std::string AText, const std::string& AData, const std::string& ATmp) {
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"{DATA}", AData},
                                     std::pair<std::string, std::string>{"{TMP}", ATmp}}) {
        std::size_t pos;
        while ((pos = AText.find(key)) != std::string::npos)
            AText.replace(pos, key.size(), value);
    }
    return AText;
}

std::string Unescape(const std::string& AText) {
    std::string result;
    for (std::size_t i = 0; i < AText.size(); ++i) {
        if (AText[i] == '\\' && i + 1 < AText.size()) {
            const char next = AText[++i];
            switch (next) {
            case 'r':
                result += '\r';
                break;
            case 't':
                result += '\t';
                break;
            case 'n':
                result += '\n';
                break;
            case '0':
                result += '\0';
                break;
            case 'x':
                if (i + 2 < AText.size() &&
                    std::isxdigit(static_cast<unsigned char>(AText[i + 1])) &&
                    std::isxdigit(static_cast<unsigned char>(AText[i + 2]))) {
                    result += static_cast<char>(std::stoi(AText.substr(i + 1, 2), nullptr, 16));
                    i += 2;
                } else {
                    result += next;
                }
                break;
            default:
                result += next;
            }
        } else {
            result += AText[i];
        }
    }
    return result;
}

void Start(const std::string& AProgram, const std::vector<std::string>& AArguments,
           const std::vector<std::string>& AEnvironment, const std::string& ATmp,
           const TSetup& ASetup) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0)
        Fail("pipe failed");
    GChild.Pid = fork();
    if (GChild.Pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
            close(fd);
        if (!ASetup.Output.empty()) {
            const int file = open(ASetup.Output.c_str(), O_WRONLY);
            if (file < 0 || dup2(file, 1) < 0)
                _exit(125);
            close(file);
        }
        for (const int fd : ASetup.Closed)
            close(fd);
        if (ASetup.MemoryLimitMiB > 0) {
            const rlim_t bytes = static_cast<rlim_t>(ASetup.MemoryLimitMiB) << 20;
            const rlimit limit{bytes, bytes};
            setrlimit(RLIMIT_AS, &limit);
        }
        setenv("XDG_CONFIG_HOME", (ATmp + "/config").c_str(), 1);
        setenv("XDG_STATE_HOME", (ATmp + "/state").c_str(), 1);
        setenv("HOME", ATmp.c_str(), 1);
        unsetenv("LoggingLevel");
        // No test may open a desktop viewer.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        for (const auto& assignment : AEnvironment)
            putenv(const_cast<char*>(assignment.c_str()));
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(AProgram.c_str()));
        for (const auto& argument : AArguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        if (chdir(ATmp.c_str()) != 0)
            _exit(126);
        execv(AProgram.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    GChild.In = in[1];
    fcntl(GChild.In, F_SETFL, fcntl(GChild.In, F_GETFL) | O_NONBLOCK);
    GChild.Out.Fd = out[0];
    GChild.Err.Fd = err[0];
    signal(SIGPIPE, SIG_IGN);
}

// Writes the whole text; while the program's input pipe is full, reads what it writes, so that a
// long line never deadlocks against a long answer.
bool Send(const std::string& AText) {
    if (GChild.In < 0)
        return false;
    const auto  deadline = Clock::now() + Timeout;
    std::size_t sent = 0;
    while (sent < AText.size()) {
        const ssize_t done = write(GChild.In, AText.data() + sent, AText.size() - sent);
        if (done > 0) {
            sent += static_cast<std::size_t>(done);
            continue;
        }
        if (done < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (Clock::now() >= deadline)
            return false;
        Pump(Clock::now() + std::chrono::milliseconds(10));
    }
    return true;
}

void CloseInput() {
    if (GChild.In >= 0) {
        close(GChild.In);
        GChild.In = -1;
    }
}

void WaitExit() {
    CloseInput();
    const auto deadline = Clock::now() + Timeout;
    while (!GChild.Exited) {
        int         status = 0;
        rusage      usage{};
        const pid_t done = wait4(GChild.Pid, &status, WNOHANG, &usage);
        if (done == GChild.Pid) {
            GChild.Exited = true;
            GChild.PeakMemoryKiB = usage.ru_maxrss;
            GChild.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (Clock::now() >= deadline)
            Fail("the program did not end");
        if (!Pump(Clock::now() + std::chrono::milliseconds(20)))
            usleep(5000);
    }
    while (Pump(Clock::now() + std::chrono::milliseconds(200))) {
    }
}

// Runs one "@" set-up line.
void SetUp(const std::string& ALine, TSetup& ASetup) {
    std::istringstream words(ALine);
    std::string        kind;
    words >> kind;
    std::string first;
    words >> first;
    std::string rest;
    std::getline(words >> std::ws, rest);
    if (kind == "close") {
        ASetup.Closed.push_back(std::atoi(first.c_str()));
    } else if (kind == "stdout") {
        ASetup.Output = first;
    } else if (kind == "memory-limit") {
        ASetup.MemoryLimitMiB = std::atol(first.c_str());
    } else if (kind == "file") {
        std::istringstream parts(rest);
        std::size_t        count = 0;
        parts >> count;
        std::string text;
        std::getline(parts >> std::ws, text);
        text = Unescape(text);
        std::ofstream file(first, std::ios::binary | std::ios::app);
        for (std::size_t n = 0; n < count && file; ++n)
            file << text;
        if (!file)
            Fail("cannot write " + first);
    } else if (kind == "fifo") {
        if (mkfifo(first.c_str(), 0600) != 0)
            Fail("cannot create the FIFO " + first);
    } else if (kind == "link") {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(first).parent_path(), ignored);
        if (symlink(rest.c_str(), first.c_str()) != 0)
            Fail("cannot create the link " + first);
    } else if (kind == "unsanitized") {
        const char* sanitized = std::getenv("KV_SANITIZED");
        if (sanitized != nullptr && *sanitized != 0) {
            std::cerr << GScript << ": skipped in a sanitizer build\n";
            std::exit(77);
        }
    } else {
        Fail("unknown set-up line: " + ALine);
    }
}

// Writes a line to a file and closes it; opening a FIFO waits until the program reads it.
void WriteToFile(const std::string& AArgument) {
    const std::size_t space = AArgument.find(' ');
    const std::string name = AArgument.substr(0, space);
    const std::string text =
        Unescape(space == std::string::npos ? std::string() : AArgument.substr(space + 1)) + "\n";
    const int file = open(name.c_str(), O_WRONLY | O_APPEND);
    if (file < 0 || write(file, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        Fail("cannot write to " + name);
    close(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: transcript_runner PROGRAM SCRIPT [DATA_DIR]\n";
        return 2;
    }
    const std::string program = argv[1];
    GScript = argv[2];
    const std::string data = argc > 3 ? argv[3] : ".";
    char              tmpTemplate[] = "/tmp/kvtranscript-XXXXXX";
    const char*       tmpDir = mkdtemp(tmpTemplate);
    if (tmpDir == nullptr)
        Fail("mkdtemp failed");
    const std::string tmp = tmpDir;

    std::ifstream file(GScript);
    if (!file)
        Fail("cannot read the script");
    std::vector<std::string> script;
    for (std::string line; std::getline(file, line);)
        script.push_back(line);

    std::vector<std::string> arguments;
    std::vector<std::string> environment;
    TSetup                   setup;
    std::size_t              first = 0;
    for (; first < script.size(); ++first) {
        const std::string& line = script[first];
        GLine = static_cast<int>(first + 1);
        if (line.rfind("@ ", 0) == 0) {
            SetUp(Substitute(line.substr(2), data, tmp), setup);
        } else if (line.rfind("$ ", 0) == 0) {
            std::istringstream words(Substitute(line.substr(2), data, tmp));
            for (std::string word; words >> word;)
                arguments.push_back(word);
        } else if (line.rfind("% ", 0) == 0) {
            environment.push_back(Substitute(line.substr(2), data, tmp));
        } else if (!line.empty() && line[0] != '#') {
            break;
        }
    }
    Start(program, arguments, environment, tmp, setup);

    bool                     skipping = false;
    bool                     exitChecked = false;
    std::vector<std::string> forbidden;
    for (std::size_t i = first; i < script.size(); ++i) {
        GLine = static_cast<int>(i + 1);
        const std::string& line = script[i];
        if (line.empty() || line[0] == '#')
            continue;
        const std::string argument =
            line.size() > 2 ? Substitute(line.substr(2), data, tmp) : std::string();
        switch (line[0]) {
        case '>': {
            std::string text = Unescape(argument);
            if (line.rfind(">*", 0) == 0) {
                std::istringstream words(line.substr(3));
                std::size_t        count = 0;
                words >> count;
                std::string piece;
                std::getline(words >> std::ws, piece);
                piece = Unescape(piece);
                text.clear();
                text.reserve(count * piece.size() + 1);
                for (std::size_t n = 0; n < count; ++n)
                    text += piece;
                text += '\n';
            } else if (line.rfind(">|", 0) != 0) {
                text += '\n';
            } else {
                text = Unescape(Substitute(line.substr(3), data, tmp));
            }
            if (!Send(text))
                Fail("cannot send: " + argument.substr(0, 200));
            break;
        }
        case '~':
            skipping = true;
            break;
        case '^':
            forbidden.push_back(argument);
            break;
        case '<':
        case '!': {
            TStream&   stream = line[0] == '<' ? GChild.Out : GChild.Err;
            const auto deadline = Clock::now() + Timeout;
            while (true) {
                std::string got;
                if (!NextLine(stream, got, deadline))
                    Fail("expected " + std::string(line[0] == '<' ? "stdout" : "stderr") +
                         " line: " + argument);
                if (GlobMatch(argument.c_str(), got.c_str()))
                    break;
                for (const auto& pattern : forbidden)
                    if (GlobMatch(pattern.c_str(), got.c_str()))
                        Fail("forbidden line: " + got);
                if (!skipping)
                    Fail("expected: " + argument + "\n     got: " + got);
            }
            skipping = false;
            forbidden.clear();
            break;
        }
        case '=': {
            if (argument.rfind("exit ", 0) == 0) {
                WaitExit();
                exitChecked = true;
                const int expected = std::atoi(argument.c_str() + 5);
                if (GChild.ExitCode != expected)
                    Fail("exit code " + std::to_string(GChild.ExitCode) + ", expected " +
                         std::to_string(expected));
            } else if (argument == "eof") {
                CloseInput();
            } else if (argument.rfind("peak-memory-below ", 0) == 0) {
                if (!GChild.Exited)
                    Fail("the peak memory is known only after the exit");
                const long limit = std::atol(argument.c_str() + 18) * 1024;
                if (GChild.PeakMemoryKiB >= limit)
                    Fail("peak memory " + std::to_string(GChild.PeakMemoryKiB) + " KiB, limit " +
                         std::to_string(limit) + " KiB");
            } else if (argument.rfind("signal ", 0) == 0) {
                kill(GChild.Pid, std::atoi(argument.c_str() + 7));
            } else if (argument == "silent") {
                const auto deadline = Clock::now() + std::chrono::milliseconds(300);
                while (Pump(deadline)) {
                }
                if (!GChild.Out.Lines.empty())
                    Fail("unexpected line: " + GChild.Out.Lines.front());
            } else {
                Fail("unknown check: " + argument);
            }
            break;
        }
        case '?': {
            const bool        negated = line.rfind("?!", 0) == 0;
            const std::string rest = Substitute(line.substr(negated ? 3 : 2), data, tmp);
            const std::size_t space = rest.find(' ');
            const std::string fileName = rest.substr(0, space);
            const std::string pattern = space == std::string::npos ? "*" : rest.substr(space + 1);
            std::ifstream     checked(fileName);
            if (!checked)
                Fail("cannot read " + fileName);
            bool found = false;
            for (std::string fileLine; std::getline(checked, fileLine);) {
                if (!fileLine.empty() && fileLine.back() == '\r')
                    fileLine.pop_back();
                if (GlobMatch(pattern.c_str(), fileLine.c_str())) {
                    found = true;
                    break;
                }
            }
            if (found == negated)
                Fail((negated ? "unexpected line in " : "no line in ") + fileName + ": " + pattern);
            break;
        }
        case '+':
            WriteToFile(argument);
            break;
        default:
            Fail("unknown script line: " + line);
        }
    }
    if (!exitChecked) {
        WaitExit();
        if (GChild.ExitCode != 0)
            Fail("exit code " + std::to_string(GChild.ExitCode) + ", expected 0");
    }
    std::error_code ignored;
    std::filesystem::remove_all(tmp, ignored);
    return 0;
}
