// Times the stream tools against the reference tools on the same 4-minute song, each pair
// run alternately so that both see the same load. Usage: bench_stream_tools [RUNS]
#include "stream/PcmWavWriter.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Timing {
    double wallSeconds;
    double cpuSeconds;
};

// Runs a command with its output thrown away and returns its wall and CPU time.
Timing Run(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const auto& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + command[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(command[0] + " failed");
    const auto seconds = [](const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; };
    return {wall.count(), seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// Four minutes of chords that change every half second, over soft noise.
void WriteSource(const std::string& path)
{
    constexpr int kRate = 44100;
    constexpr std::size_t kFrames = 240 * kRate;
    constexpr std::size_t kChunk = 4096;
    sonorelle::PcmWavWriter writer(path, 2, kRate);
    std::vector<std::int16_t> chunk(kChunk * 2);
    std::uint32_t noise = 12345;
    for (std::size_t first = 0; first < kFrames; first += kChunk) {
        for (std::size_t i = 0; i < kChunk; ++i) {
            const std::size_t frame = first + i;
            const double time = double(frame) / kRate;
            const double root = 110.0 * std::pow(2.0, double((frame / (kRate / 2)) % 12) / 12.0);
            double left = 0.0;
            double right = 0.0;
            for (int partial = 1; partial <= 4; ++partial) {
                left += std::sin(2 * std::numbers::pi * root * partial * time) / partial;
                right += std::sin(2 * std::numbers::pi * root * 1.5 * partial * time) / partial;
            }
            noise = noise * 1664525U + 1013904223U;
            const double hiss = (double(noise >> 8) / double(1U << 24) - 0.5) * 0.05;
            chunk[2 * i] = static_cast<std::int16_t>(std::lround((left * 0.25 + hiss) * 32767));
            chunk[2 * i + 1] = static_cast<std::int16_t>(std::lround((right * 0.25 - hiss) * 32767));
        }
        writer.write(chunk.data(), kChunk);
    }
    writer.finish();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Compare(const char* what, const std::vector<std::string>& ours, const std::vector<std::string>& reference,
             double goal, int runs)
{
    std::vector<double> ourWall, referenceWall, ourCpu, referenceCpu, ratios;
    for (int run = 0; run < runs; ++run) {
        const Timing a = Run(ours);
        const Timing b = Run(reference);
        ourWall.push_back(a.wallSeconds);
        referenceWall.push_back(b.wallSeconds);
        ourCpu.push_back(a.cpuSeconds);
        referenceCpu.push_back(b.cpuSeconds);
        ratios.push_back(a.wallSeconds / b.wallSeconds);
    }
    const double ratio = Median(ourWall) / Median(referenceWall);
    std::printf("%s\n  wall: ours %.3f s, reference %.3f s, ratio %.2f (per run %.2f..%.2f), goal <= %.2f: %s\n"
                "  cpu:  ours %.3f s, reference %.3f s, ratio %.2f\n",
                what, Median(ourWall), Median(referenceWall), ratio,
                *std::min_element(ratios.begin(), ratios.end()), *std::max_element(ratios.begin(), ratios.end()),
                goal, ratio <= goal ? "met" : "MISSED", Median(ourCpu), Median(referenceCpu),
                Median(ourCpu) / Median(referenceCpu));
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const fs::path tools = fs::canonical("/proc/self/exe").parent_path();
    std::string work = (fs::temp_directory_path() / "bench-stream-tools-XXXXXX").string();
    if (!mkdtemp(work.data()))
        return 1;
    const auto at = [&](const char* name) { return (fs::path(work) / name).string(); };
    try {
        WriteSource(at("source.wav"));
        Run({"lame", "--quiet", at("source.wav"), at("source.mp3")});
        Run({(tools / "addon3").string(), "-pcstream", at("source.mp3"), "=", at("stream.sng")});
        std::printf("4-minute stereo 44.1 kHz song, median of %d runs\n", runs);
        Compare("addon3 -pcstream (MP3 to stream) vs ffmpeg -c:a adpcm_ima_wav",
                {(tools / "addon3").string(), "-pcstream", at("source.mp3"), "=", at("ours.sng")},
                {"ffmpeg", "-v", "error", "-y", "-i", at("source.mp3"), "-c:a", "adpcm_ima_wav", at("ffmpeg.wav")},
                0.40, runs);
        Compare("addon3 -wave (stream to WAV) vs ffmpeg -f wav",
                {(tools / "addon3").string(), "-wave", at("stream.sng"), "=", at("ours.wav")},
                {"ffmpeg", "-v", "error", "-y", "-i", at("stream.sng"), "-f", "wav", at("ffmpeg-out.wav")},
                0.5, runs);
        Compare("addon1 --preset cd (WAV to MP3) vs lame --preset cd",
                {(tools / "addon1").string(), "--preset", "cd", at("source.wav"), at("ours.mp3")},
                {"lame", "--quiet", "--preset", "cd", at("source.wav"), at("lame.mp3")}, 1.05, runs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_stream_tools: %s\n", error.what());
        fs::remove_all(work);
        return 1;
    }
    fs::remove_all(work);
    return 0;
}
