#include "platform/uPlatformSystem.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <limits>
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string ReadWholeFile(const char* AName) {
    std::ifstream file(AName);
    if (!file)
        return {};
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The value after "Key:" in a /proc file of "Key: value" lines.
std::string ProcField(const std::string& AText, const std::string& AKey) {
    std::istringstream lines(AText);
    std::string        line;
    while (std::getline(lines, line)) {
        if (line.compare(0, AKey.size(), AKey) == 0 && line.size() > AKey.size() &&
            (line[AKey.size()] == ':' || line[AKey.size()] == '\t' || line[AKey.size()] == ' ')) {
            std::size_t pos = line.find(':', AKey.size());
            if (pos == std::string::npos)
                continue;
            ++pos;
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
                ++pos;
            return line.substr(pos);
        }
    }
    return {};
}

std::uint64_t KiBField(const std::string& AText, const std::string& AKey) {
    const std::string value = ProcField(AText, AKey);
    return value.empty() ? 0 : std::strtoull(value.c_str(), nullptr, 10) * 1024ULL;
}

std::uint64_t SaturatingSub(std::uint64_t A, std::uint64_t B) {
    return A > B ? A - B : 0;
}

std::uint64_t ReadNumberFile(const char* AName, bool& AFound) {
    const std::string text = ReadWholeFile(AName);
    AFound = !text.empty() && text[0] >= '0' && text[0] <= '9';
    return AFound ? std::strtoull(text.c_str(), nullptr, 10) : 0;
}

} // namespace

std::string ComputerName() {
    utsname name{};
    return uname(&name) == 0 ? name.nodename : "Unknown";
}

std::string OperatingSystemId() {
    std::string        pretty;
    std::istringstream lines(ReadWholeFile("/etc/os-release"));
    std::string        line;
    while (std::getline(lines, line))
        if (line.rfind("PRETTY_NAME=", 0) == 0) {
            pretty = line.substr(12);
            if (pretty.size() >= 2 && pretty.front() == '"' && pretty.back() == '"')
                pretty = pretty.substr(1, pretty.size() - 2);
        }
    utsname     name{};
    std::string kernel = uname(&name) == 0 ? std::string(name.sysname) + " " + name.release : "";
    if (pretty.empty())
        return kernel.empty() ? "Linux" : kernel;
    return kernel.empty() ? pretty : pretty + " (" + kernel + ")";
}

std::uint64_t SystemUptimeMs() {
    const std::string text = ReadWholeFile("/proc/uptime");
    return text.empty() ? 0
                        : static_cast<std::uint64_t>(std::strtod(text.c_str(), nullptr) * 1000.0);
}

std::string ProcessorName() {
    const std::string name = ProcField(ReadWholeFile("/proc/cpuinfo"), "model name");
    if (!name.empty())
        return name;
    utsname info{};
    return uname(&info) == 0 ? info.machine : "Unknown";
}

int LogicalProcessorCount() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0)
            return count;
    }
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<int>(count) : 1;
}

double ProcessorUsage() {
    static std::uint64_t previousIdle = 0;
    static std::uint64_t previousTotal = 0;
    std::istringstream   text(ReadWholeFile("/proc/stat"));
    std::string          cpu;
    text >> cpu;
    std::uint64_t value = 0;
    std::uint64_t total = 0;
    std::uint64_t idle = 0;
    for (int i = 0; i < 8 && (text >> value); ++i) {
        total += value;
        if (i == 3 || i == 4) // idle and iowait
            idle += value;
    }
    const std::uint64_t deltaTotal = total - previousTotal;
    const std::uint64_t deltaIdle = idle - previousIdle;
    previousTotal = total;
    previousIdle = idle;
    if (deltaTotal == 0)
        return 0.0;
    return 1.0 - static_cast<double>(deltaIdle) / static_cast<double>(deltaTotal);
}

std::uint64_t ProcessorFrequencyHz() {
    bool                found = false;
    const std::uint64_t khz =
        ReadNumberFile("/sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq", found);
    if (found)
        return khz * 1000ULL;
    const std::string mhz = ProcField(ReadWholeFile("/proc/cpuinfo"), "cpu MHz");
    return mhz.empty() ? 0 : static_cast<std::uint64_t>(std::strtod(mhz.c_str(), nullptr) * 1e6);
}

TMemoryFigures ReadMemoryFigures() {
    const std::string text = ReadWholeFile("/proc/meminfo");
    TMemoryFigures    figures;
    figures.PhysicalTotal = KiBField(text, "MemTotal");
    figures.Available = KiBField(text, "MemAvailable");
    figures.PhysicalUsed = SaturatingSub(figures.PhysicalTotal, figures.Available);
    figures.CommitTotal = figures.PhysicalTotal + KiBField(text, "SwapTotal");
    figures.CommitUsed = std::min(KiBField(text, "Committed_AS"), figures.CommitTotal);
    return figures;
}

std::uint64_t ProcessPrivateBytes() {
    const std::string text = ReadWholeFile("/proc/self/status");
    return KiBField(text, "RssAnon") + KiBField(text, "VmSwap");
}

std::uint64_t LargestAllocatableBlock() {
    std::uint64_t limit = ReadMemoryFigures().Available;
    for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
        rlimit value{};
        if (getrlimit(resource, &value) == 0 && value.rlim_cur != RLIM_INFINITY)
            limit = std::min<std::uint64_t>(limit, value.rlim_cur);
    }
    bool                maxFound = false;
    bool                currentFound = false;
    const std::uint64_t groupMax = ReadNumberFile("/sys/fs/cgroup/memory.max", maxFound);
    const std::uint64_t groupCurrent =
        ReadNumberFile("/sys/fs/cgroup/memory.current", currentFound);
    if (maxFound)
        limit = std::min(limit, SaturatingSub(groupMax, currentFound ? groupCurrent : 0));
    return limit;
}

bool DebuggerPresent() {
    const std::string tracer = ProcField(ReadWholeFile("/proc/self/status"), "TracerPid");
    return !tracer.empty() && tracer != "0";
}

std::string ExecutablePath() {
    char          buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string CurrentDirectory() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

namespace {

bool Spawn(const char* AProgram, const std::vector<std::string>& AArguments,
           const std::string& ADirectory, bool ASearchPath) {
    std::vector<char*> argv;
    for (const auto& argument : AArguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    if (!ADirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, ADirectory.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t     pid = 0;
    const int error =
        ASearchPath ? posix_spawnp(&pid, AProgram, &actions, &attributes, argv.data(), environ)
                    : posix_spawn(&pid, AProgram, &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0;
}

} // namespace

std::string OpenWithDefaultApplication(const std::string& AFileName) {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
        return "No desktop to show \"" + AFileName + "\" on.";
    // The viewer is not waited for; let the kernel reap it.
    signal(SIGCHLD, SIG_IGN);
    std::string       directory = AFileName;
    const std::size_t slash = directory.rfind('/');
    directory = slash == std::string::npos ? std::string() : directory.substr(0, slash);
    if (!Spawn("xdg-open", {"xdg-open", AFileName}, directory, true))
        return "Can not start xdg-open for \"" + AFileName + "\".";
    return {};
}

bool ExecuteSelf(const std::vector<std::string>& AArguments, const std::string& ADirectory) {
    if (!ADirectory.empty() && chdir(ADirectory.c_str()) != 0)
        return false;
    std::vector<char*> argv;
    for (const auto& argument : AArguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv("/proc/self/exe", argv.data());
    return false;
}

bool SpawnSelfDetached(const std::vector<std::string>& AArguments, const std::string& ADirectory) {
    const std::string self = ExecutablePath();
    return !self.empty() && Spawn(self.c_str(), AArguments, ADirectory, false);
}

void SetCurrentThreadName(const std::string& AName) {
    pthread_setname_np(pthread_self(), AName.substr(0, 15).c_str());
}
